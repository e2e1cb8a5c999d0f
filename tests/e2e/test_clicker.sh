#!/usr/bin/env bash
# Two whole draws with no mouse at all, as with a presentation clicker: F5 in the range
# entry window opens the stage, PageDown starts a draw and, once it is over, the next one.
# During the first draw Tab, the arrows, Space, Enter and a clicker's other keys change
# nothing: the draw ends within its bounds on a stage still shown. Between draws the
# clicker's back and blank-screen keys neither start nor close anything; Alt+F4 closes it.
#   test_clicker.sh PROGRAM [ARG...]   (under Wine: test_clicker.sh WINE 'C:\...\tirvex.exe')
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
PROGRAM_LOG=$(mktemp)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT
count() { grep -cE "^tirvex: $1" "$PROGRAM_LOG" || true; }
shown() { xdotool search --all --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -qx "$stage"; }

start_program env TIRVEX_TRACE=1 "$@"
pass_splash
main=$(wait_for_window 'نرم افزار قرعه')
key_to "$main" F5
wait_for_line '^tirvex: handed over 035000 084570' 100
stage=$(wait_for_stage "$main")
key_to "$stage" Next
wait_for_line '^tirvex: draw started' 50
send_keys --delay 300 Tab space Tab Return Right Down b period Left Up Prior Escape F5
wait_for_line '^tirvex: drawn [0-9]{6}' 300
shown && [ "$(count 'draw started')" = 1 ] || fail "a key during the draw closed the stage or restarted it"
send_keys --delay 100 Prior Left Up Escape b period F5
sleep 1
shown && [ "$(count 'draw started')" = 1 ] || fail "a back or blank-screen key acted between draws"
send_keys Next
for _ in $(seq 1 300); do [ "$(count 'drawn ')" = 2 ] && break; sleep 0.1; done
[ "$(count 'drawn ')" = 2 ] || fail "the second PageDown did not run a second draw"
for n in $(sed -n 's/^tirvex: drawn \([0-9]*\).*/\1/p' "$PROGRAM_LOG"); do
  ((10#$n >= 35000 && 10#$n <= 84570)) || fail "drew $n, outside 035000-084570"
done
send_keys alt+F4
wait_for_no_window_id "$stage"
! grep -q 'error' "$PROGRAM_LOG" || fail "an error was reported: $(cat "$PROGRAM_LOG")"
echo "PASS: F5, PageDown, PageDown: two draws without the mouse; stray keys changed nothing"
