#!/usr/bin/env bash
# A laptop (1024 x 768, the main screen) with a projector (1280 x 720) to its right. The
# operator drags the range entry window onto the projector: the stage opens there, covering
# it, shrunk to show whole (720 is lower than the stage's design). A draw starts; the
# projector is unplugged in the middle of it: the stage fills the laptop's screen, laid out
# for it, and the draw ends within its bounds; the range entry window, left mostly off the
# desktop, is back on it. The laptop switches to 800 x 600: the stage follows again. The
# return button closes the stage where it shows, and closing the range entry window ends
# the program with status 0. A screenshot of the two-screen desktop goes to the build
# directory's screenshots/ folder.
#   test_two_screens.sh PROGRAM
set -euo pipefail
. "$(dirname "$0")/lib.sh"
if [ -z "${TIRVEX_TWO_SCREENS:-}" ]; then
  TIRVEX_TWO_SCREENS=1 DISPLAY= in_x --screens 1024x768,1280x720 "$0" "$@"
fi
program=$1
caption='نرم افزار قرعه'
out="$(cd "$(dirname "$program")" && pwd)/screenshots"
mkdir -p "$out"
PROGRAM_LOG=$(mktemp /tmp/tirvex-screens.XXXXXX.log)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT

# A desktop colour, so the screenshot tells the laptop's empty desktop from the stage.
xsetroot -solid '#3a6e8f'
TIRVEX_TRACE=1 start_program "$program"
pass_splash
main=$(wait_for_window "$caption")
settle 1
read -r mx my mw mh <<<"$(window_geometry "$main")"
((mx + mw <= 1024)) || fail "the range entry window opened at $mx,$my, not on the main screen"

# Dragged onto the projector.
xdotool windowmove --sync "$main" 1300 150 || fail "the range entry window could not be moved"
settle 1
read -r mx my mw mh <<<"$(window_geometry "$main")"
((mx >= 1024)) || fail "the range entry window is at $mx,$my after the move"
stage=$(open_stage "$main")
wait_for_window_geometry "$stage" 1024 0 1280 720
wait_for_line '^tirvex: stage 1280x720 ' 50
check_whole_stage 1280x720 >/dev/null
xdotool windowactivate --sync "$stage" >/dev/null 2>&1 || true
xdotool key space
wait_for_line '^tirvex: draw started$' 50
sleep 4
shot "$out/two-screens-stage-on-the-projector.png"

# Unplugged in the middle of the draw.
grep -q '^tirvex: drawn ' "$PROGRAM_LOG" && fail "the draw ended before the projector was unplugged"
unplug_screen DUMMY1
wait_for_window_geometry "$stage" 0 0 1024 768
wait_for_line '^tirvex: stage 1024x768 ' 50
check_whole_stage 1024x768 >/dev/null
wait_for_line '^tirvex: drawn [0-9]{6}$' 300
drawn=$(sed -n 's/^tirvex: drawn \([0-9]*\)$/\1/p' "$PROGRAM_LOG" | head -n 1)
((10#$drawn >= 35000 && 10#$drawn <= 84570)) || fail "$drawn lies outside 035000-084570"
grep -q 'draw stopped' "$PROGRAM_LOG" && fail "the draw stopped: $(grep 'draw stopped' "$PROGRAM_LOG")"
read -r mx my mw mh <<<"$(window_geometry "$main")"
((mx >= 0 && mx + mw <= 1024 && my >= 0 && my + mh <= 768)) ||
  fail "the range entry window ($mw x $mh at $mx,$my) is not on the remaining screen"

# The laptop's screen switches to a lower mode.
set_screen_mode DUMMY0 800x600
wait_for_window_geometry "$stage" 0 0 800 600
wait_for_line '^tirvex: stage 800x600 ' 50
read -r back_x back_y <<<"$(check_whole_stage 800x600)"

click_in "$stage" "$back_x" "$back_y"
wait_for_no_window_id "$stage"
xdotool windowactivate --sync "$main" key alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program exited with status $EXIT_STATUS"
grep -q 'error' "$PROGRAM_LOG" && { cat "$PROGRAM_LOG" >&2; fail "an error was reported"; }
echo "PASS: the stage opened on the projector, followed the unplug and the mode change; drew $drawn"
