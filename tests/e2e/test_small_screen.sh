#!/usr/bin/env bash
# The stage on the screens operators bring, each in an X server of its own:
#  - smaller than the stage's design (an 800 x 600 projector; 1920 x 1080 at 150 % and
#    1366 x 768 at 125 %, laptops that are 1280 x 720 and 1093 x 614 to the program): the
#    whole stage shows, shrunk evenly; every control on the screen, none covering another.
#    A draw at the real speed ends within its bounds, and the return button, clicked where
#    it shows, closes the stage;
#  - taller (2560 x 1440, 1920 x 1200, portrait 1080 x 1920): likewise whole, no digit covered;
#  - large enough (1024 x 768 and 1920 x 1080 at 100 %): the return button, the banner and
#    the first digit stand exactly where the design puts them.
# Closing the range entry window then ends the program with status 0. Screenshots go to the
# build directory's screenshots/ folder.
#   test_small_screen.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
if [ -z "${TIRVEX_SCREEN_CASE:-}" ]; then
  # screen, Qt's scale factor, and the traced places of the return button, the banner and
  # the first digit where the design holds unchanged
  while read -r size factor design; do
    (TIRVEX_SCREEN_CASE="$size $factor $design" DISPLAY= in_x --size "$size" "$0" "$@")
  done <<'CASES'
800x600 1 -
1920x1080 1.5 -
1366x768 1.25 -
1024x768 1 296,704,433,37/296,0,433,61/76,228,133,285
1920x1080 1 744,704,433,37/744,0,433,61/524,384,133,285
2560x1440 1 -
1920x1200 1 -
1080x1920 1 -
CASES
  echo "PASS: the whole stage shows on every screen; the design's places where it fits"
  exit 0
fi
read -r size factor design <<<"$TIRVEX_SCREEN_CASE"
program=$1
caption='نرم افزار قرعه'
out="$(cd "$(dirname "$program")" && pwd)/screenshots"
mkdir -p "$out"
name="stage-$size-at-${factor}x"
PROGRAM_LOG=$(mktemp /tmp/tirvex-small.XXXXXX.log)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT

[ "$(xdpyinfo | awk '/dimensions:/{print $2}')" = "$size" ] || fail "the screen is not $size"
export QT_SCALE_FACTOR=$factor
TIRVEX_TRACE=1 start_program "$program"
pass_splash
main=$(wait_for_window "$caption")
settle 1
read -r mx my mw mh <<<"$(window_geometry "$main")"
((mx >= 0 && my >= 0 && mx + mw <= ${size%x*} && my + mh <= ${size#*x})) ||
  fail "the range entry window ($mw x $mh at $mx,$my) does not fit on the screen"
stage=$(open_stage "$main")
wait_for_line '^tirvex: stage ' 50
settle 1
read -r x y w h <<<"$(window_geometry "$stage")"
[ "$x $y ${w}x$h" = "0 0 $size" ] || fail "the stage stands at $x,$y and is ${w}x$h, not $size"
read -r back_x back_y <<<"$(check_whole_stage "$size")"
shot "$out/$name.png"

if [ "$design" != - ]; then
  IFS=/ read -r button banner digit <<<"$design"
  layout=$(grep -E '^tirvex: stage ' "$PROGRAM_LOG" | tail -n 1)
  for expected in "scale 1.000" "Command2 $button" "Label20 $banner" "Label1 $digit"; do
    grep -q " $expected\( \|$\)" <<<"$layout" || fail "not the design's layout ($expected): $layout"
  done
else
  # The start button has the focus; Space starts the draw at the real speed.
  xdotool windowactivate --sync "$stage" >/dev/null 2>&1 || true
  xdotool key space
  wait_for_line '^tirvex: draw started$' 50
  sleep 5
  shot "$out/$name-drawing.png"
  wait_for_line '^tirvex: drawn [0-9]{6}$' 300
  drawn=$(sed -n 's/^tirvex: drawn \([0-9]*\)$/\1/p' "$PROGRAM_LOG" | head -n 1)
  ((10#$drawn >= 35000 && 10#$drawn <= 84570)) || fail "$drawn lies outside 035000-084570"
fi

# The return button is clicked where the stage says it stands.
click_in "$stage" "$back_x" "$back_y"
wait_for_no_window_id "$stage"
for _ in $(seq 1 50); do
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ] && break
  sleep 0.1
done
xdotool windowactivate --sync "$main" key alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program exited with status $EXIT_STATUS"
grep -q 'error' "$PROGRAM_LOG" && { cat "$PROGRAM_LOG" >&2; fail "an error was reported"; }
echo "pass: $size at ${factor}x: the whole stage shows${drawn:+, drew $drawn}, the return button closes it"
