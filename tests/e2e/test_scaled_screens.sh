#!/usr/bin/env bash
# A laptop (1024 x 768 at 100 %) with a projector (1920 x 1080 at 150 %) to its right, each
# scaled on its own as KDE on X11 does. The stage, moved to the projector mid-draw, fills it
# laid out for it and the draw ends within its bounds; the range entry window dragged there
# keeps its design size in the projector's pixels, whole, and opens the stage there, whole.
#   test_scaled_screens.sh PROGRAM
set -euo pipefail
. "$(dirname "$0")/lib.sh"
if [ -z "${TIRVEX_SCALED_SCREENS:-}" ]; then
  TIRVEX_SCALED_SCREENS=1 DISPLAY= in_x --screens 1024x768,1920x1080 "$0" "$@"
fi
out="$(cd "$(dirname "$1")" && pwd)/screenshots"
mkdir -p "$out"
PROGRAM_LOG=$(mktemp /tmp/tirvex-scaled.XXXXXX.log)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT
xsetroot -solid '#3a6e8f'
QT_SCREEN_SCALE_FACTORS='DUMMY0=1;DUMMY1=1.5' TIRVEX_TRACE=1 start_program "$1"
pass_splash
main=$(wait_for_window 'نرم افزار قرعه')
settle 1
read -r _ _ mw mh <<<"$(window_geometry "$main")"
stage=$(open_stage "$main")
wait_for_line '^tirvex: stage 1024x768 ' 50
key_to "$stage" space
wait_for_line '^tirvex: draw started$' 50
wmctrl -i -r "$stage" -e 0,1100,100,-1,-1 || fail "the stage could not be moved"
wait_for_window_geometry "$stage" 1024 0 1920 1080
wait_for_line '^tirvex: stage 1920x1080 ' 50
read -r back_x back_y <<<"$(check_whole_stage 1920x1080)"
grep -q '^tirvex: drawn ' "$PROGRAM_LOG" && fail "the draw ended before the stage was moved"
sleep 4; shot "$out/stage-moved-to-the-projector.png" # a few digits drawn by then
wait_for_line '^tirvex: drawn [0-9]{6}$' 300
drawn=$(sed -n 's/^tirvex: drawn \([0-9]*\)$/\1/p' "$PROGRAM_LOG" | head -n 1)
((10#$drawn >= 35000 && 10#$drawn <= 84570)) || fail "$drawn lies outside 035000-084570"
click_in "$stage" "$back_x" "$back_y"
wait_for_no_window_id "$stage"

# Dragged near the projector's right edge: half as large again in its pixels, as its
# content is drawn, and back from the desktop's edge where it grew past it.
xdotool windowmove --sync "$main" 2600 150 || fail "the range entry window could not be moved"
for _ in $(seq 1 100); do read -r mx my w h <<<"$(window_geometry "$main")"; ((w > mw && mx + w <= 2944)) && break; sleep 0.1; done
((w == (3 * mw + 1) / 2 && h == (3 * mh + 1) / 2 && mx + w <= 2944)) || fail "the range entry window is ${w}x$h at $mx,$my"
settle 1; shot "$out/range-entry-on-a-scaled-projector.png"
laid_out=$(grep -c '^tirvex: stage ' "$PROGRAM_LOG")
stage=$(SCREEN_SCALE=1.5 open_stage "$main")
wait_for_window_geometry "$stage" 1024 0 1920 1080
for _ in $(seq 1 50); do (($(grep -c '^tirvex: stage ' "$PROGRAM_LOG") > laid_out)) && break; sleep 0.1; done
(($(grep -c '^tirvex: stage ' "$PROGRAM_LOG") > laid_out)) || fail "the stage was not laid out on the projector"
check_whole_stage 1920x1080 >/dev/null
shot "$out/stage-on-a-scaled-projector.png"
grep -q 'error' "$PROGRAM_LOG" && { cat "$PROGRAM_LOG" >&2; fail "an error was reported"; }
echo "PASS: the stage followed its move to the scaled projector, drew $drawn; the range entry window is whole there"
