#!/usr/bin/env bash
# The about window as a user meets it: a key on the splash opens the range entry window,
# its menu entry opens the about window, Esc closes it, and closing the range entry
# window then ends the program with status 0.
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

start_program "$program"
trap close_program EXIT
pass_splash
main=$(wait_for_window 'نرم افزار قرعه')
settle 1

# The menu bar has one entry, "ارتباط با ما", at the start of the bar: the left end when
# the bar runs left to right, the right end when it runs right to left.
read -r _ _ main_width _ <<<"$(window_geometry "$main")"
about=""
for x in 30 $((main_width - 30)); do
  click_in "$main" "$x" 10
  for _ in $(seq 1 20); do
    about=$(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name 'درباره ما' 2>/dev/null |
      head -n 1 || true)
    [ -n "$about" ] && break 2
    sleep 0.1
  done
done
[ -n "$about" ] || fail "the menu entry did not open the about window"
settle 1
[ -n "${SHOT:-}" ] && shot "$SHOT"

# With the range entry window in front again, choosing the entry once more brings the
# same about window forward; there is still only one.
key_to "$main" shift
click_in "$main" "$x" 10
settle 1
count=$(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name 'درباره ما' | wc -l)
[ "$count" = 1 ] || fail "$count about windows are open after choosing the entry twice"
[ "$(xdotool getactivewindow)" = "$about" ] || fail "the about window did not come forward"

key_to "$about" Escape
wait_for_no_window 'درباره ما'
xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name 'نرم افزار قرعه' >/dev/null ||
  fail "closing the about window closed the range entry window too"

key_to "$main" alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program exited with status $EXIT_STATUS"
echo "PASS: splash, range entry, about opened from the menu and closed by Esc, exit status 0"
