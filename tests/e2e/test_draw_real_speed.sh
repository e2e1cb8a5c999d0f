#!/usr/bin/env bash
# A whole draw in a real window at the real speed: the stage opens with the start button
# focused, Space starts the draw, 30 ticks of 400 ms later the number stands within the
# default bounds; the return button and closing the range entry window end the program
# with status 0. Screenshots of
# the draw half-way and at its end go to the build directory.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
program=$1
out="$(cd "$(dirname "$program")" && pwd)/screenshots"
mkdir -p "$out"
export PROGRAM_LOG
PROGRAM_LOG=$(mktemp /tmp/tirvex-draw.XXXXXX.log)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT

TIRVEX_TRACE=1 start_program "$program"
pass_splash
main=$(wait_for_window 'نرم افزار قرعه')
settle
stage=$(open_stage "$main")
settle 1
read -r _ _ w _ <<<"$(window_geometry "$stage")"

xdotool key --clearmodifiers space
for _ in $(seq 1 50); do
  grep -q 'tirvex: draw started' "$PROGRAM_LOG" && break
  sleep 0.1
done
grep -q 'tirvex: draw started' "$PROGRAM_LOG" || fail "Space did not start the draw"

# Half-way: positions 1 to 3 settled or settling, the marker over the digit being drawn.
sleep 6.4
shot "$out/draw-midway.png"

number=""
for _ in $(seq 1 200); do
  number=$(sed -n 's/^tirvex: drawn \([0-9]*\)$/\1/p' "$PROGRAM_LOG" | head -n 1)
  [ -n "$number" ] && break
  sleep 0.1
done
[ -n "$number" ] || fail "no 'drawn' line within 20 s; log: $(cat "$PROGRAM_LOG")"
[ "${#number}" = 6 ] || fail "the drawn number '$number' does not have six digits"
((10#$number >= 35000 && 10#$number <= 84570)) || fail "$number lies outside 035000-084570"
! grep -q 'tirvex: error' "$PROGRAM_LOG" || fail "an error was reported: $(cat "$PROGRAM_LOG")"
settle 0.5
shot "$out/draw-finished.png"

# The return button closes the stage; closing the range entry window ends the program.
click_in "$stage" $((w / 2)) $((10560 / 15 + 18))
settle
xdotool windowactivate --sync "$main" key alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program exited with status $EXIT_STATUS"
echo "PASS: drew $number within 035000-084570 at the real speed; screenshots in $out"
