#!/usr/bin/env bash
# The stage in a real window: opened from the range entry window it covers the screen,
# the return button closes it and brings the range entry window back, and closing that
# ends the program with status 0.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
program=$1

start_program "$program"
pass_splash
main=$(wait_for_window 'نرم افزار قرعه')
settle
stage=$(open_stage "$main")
settle 1
read -r x y w h <<<"$(window_geometry "$stage")"
screen=$(xdpyinfo | awk '/dimensions:/{print $2}')
[ "${w}x${h}" = "$screen" ] || fail "the stage is ${w}x${h}, the screen $screen"
[ "$x" = 0 ] && [ "$y" = 0 ] || fail "the stage stands at $x,$y, not at the top left"

# The return button: 6495 x 555 twips at Top 10560, centred.
click_in "$stage" $((w / 2)) $((10560 / 15 + 18))
for _ in $(seq 1 50); do
  xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name 'نرم افزار قرعه' | grep -qx "$stage" || break
  sleep 0.1
done
xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name 'نرم افزار قرعه' | grep -qx "$stage" &&
  fail "the return button did not close the stage"
kill -0 "$PROGRAM_PID" || fail "the program ended with the stage"

xdotool windowactivate --sync "$main" key alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program exited with status $EXIT_STATUS"
echo "PASS: stage covers ${w}x${h}; return closes it; closing the range entry window ends with status 0"
