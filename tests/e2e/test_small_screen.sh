#!/usr/bin/env bash
# A screen of 800 x 600 pixels, smaller than the stage's design: the stage still covers
# the screen, centred, with the outer digit positions cut off at both edges and the
# return button below the bottom edge, as it is laid out for any screen. A draw runs to
# a number within the bounds; Alt+F4 closes the stage, the range entry window is active
# again, and closing it ends the program with status 0. Screenshots go to the build
# directory's screenshots/ folder.
#   test_small_screen.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
# Always on a private 800 x 600 screen, whatever display the test was started on.
if [ -z "${TIRVEX_SMALL_SCREEN:-}" ]; then
  TIRVEX_SMALL_SCREEN=1 DISPLAY= in_x --size 800x600 "$0" "$@"
fi
program=$1
caption='نرم افزار قرعه'
out="$(cd "$(dirname "$program")" && pwd)/screenshots"
mkdir -p "$out"
PROGRAM_LOG=$(mktemp /tmp/tirvex-small.XXXXXX.log)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT

[ "$(xdpyinfo | awk '/dimensions:/{print $2}')" = 800x600 ] || fail "the screen is not 800x600"
TIRVEX_TRACE=1 start_program "$program"
pass_splash
main=$(wait_for_window "$caption")
settle 1
read -r mx my mw mh <<<"$(window_geometry "$main")"
((mx >= 0 && my >= 0 && mx + mw <= 800 && my + mh <= 600)) ||
  fail "the range entry window ($mw x $mh at $mx,$my) does not fit on the screen"
stage=$(open_stage "$main")
wait_for_line '^tirvex: handed over 035000 084570$' 50
settle 1
read -r x y w h <<<"$(window_geometry "$stage")"
[ "$x $y $w $h" = "0 0 800 600" ] || fail "the stage stands at $x,$y and is ${w}x$h, not the whole screen"
shot "$out/small-screen-stage.png"

# The start button has the focus; Space starts the draw at the real speed.
xdotool windowactivate --sync "$stage" >/dev/null 2>&1 || true
xdotool key space
wait_for_line '^tirvex: draw started$' 50
sleep 5
shot "$out/small-screen-drawing.png"
wait_for_line '^tirvex: drawn [0-9]{6}$' 300
settle 0.5
shot "$out/small-screen-drawn.png"
drawn=$(sed -n 's/^tirvex: drawn \([0-9]*\)$/\1/p' "$PROGRAM_LOG" | head -n 1)
((10#$drawn >= 35000 && 10#$drawn <= 84570)) || fail "$drawn lies outside 035000-084570"

# The return button lies below the screen's edge; the window's close command still works.
xdotool windowactivate --sync "$stage" >/dev/null 2>&1 || true
xdotool key alt+F4
for _ in $(seq 1 50); do
  xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "$caption" | grep -qx "$stage" || break
  sleep 0.1
done
xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "$caption" | grep -qx "$stage" &&
  fail "Alt+F4 did not close the stage"
for _ in $(seq 1 50); do
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ] && break
  sleep 0.1
done
[ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ] || fail "the range entry window is not active again"
xdotool key alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program exited with status $EXIT_STATUS"
grep -q 'error' "$PROGRAM_LOG" && { cat "$PROGRAM_LOG" >&2; fail "an error was reported"; }
echo "PASS: 800x600: the stage covers the screen, drew $drawn, Alt+F4 closed it; screenshots in $out"
