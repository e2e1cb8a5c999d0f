#!/usr/bin/env bash
# The splash window in a real window: keys that type nothing leave it alone, a click on
# the card opens the range entry window, and Alt+F4 on it ends the program at once.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
program=$1

# Makes a window the active one and types into it; the window manager may still be
# settling in just after the X server started, so a refusal is tried again.
key_to() {
  local id=$1; shift
  for _ in $(seq 1 50); do
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 && { xdotool key "$@"; return 0; }
    sleep 0.1
  done
  fail "window $id could not be made active"
}

# The splash has no title of its own; it is the program's one window of its size.
splash_size="$((7380 / 15)) $((4245 / 15))"
wait_for_splash() {
  local id geometry
  for _ in $(seq 1 100); do
    for id in $(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null); do
      geometry=$(window_geometry "$id")
      [ "$(echo "$geometry" | awk '{print $3, $4}')" = "$splash_size" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  fail "no splash window of ${splash_size/ /x} appeared"
}
splash_shown() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null); do
    [ "$(window_geometry "$id" | awk '{print $3, $4}')" = "$splash_size" ] && return 0
  done
  return 1
}

# 1. Alt+F4 closes the splash and ends the run; the range entry window never opens (it
#    would keep the program running).
start_program "$program"
trap close_program EXIT
splash=$(wait_for_splash)
settle 1
key_to "$splash" alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] ||
  fail "after Alt+F4 on the splash the program exited with status $EXIT_STATUS"
echo "ok: Alt+F4 on the splash ends the program with status 0"

# 2. Shift, Ctrl, an arrow and a function key do nothing; a click on the white card moves
#    on to the range entry window.
start_program "$program"
splash=$(wait_for_splash)
settle 1
key_to "$splash" shift ctrl Left F5
settle 1
splash_shown || fail "a key that types nothing closed the splash"
xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name 'نرم افزار قرعه' >/dev/null 2>&1 &&
  fail "the range entry window opened on a key that types nothing"
# A spot of the card near its top edge, away from the caption and the pictures.
click_in "$splash" $((7380 / 15 / 2)) 14
main=$(wait_for_window 'نرم افزار قرعه')
settle 1
splash_shown && fail "the splash is still shown after a click on its card"
key_to "$main" alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] ||
  fail "closing the range entry window ended the program with status $EXIT_STATUS"
echo "PASS: the splash ignores keys that type nothing, moves on at a click on its card;"
echo "      Alt+F4 on it ends the run"
