#!/usr/bin/env bash
# tirvex.exe under Wine on the screens operators bring, each in an X server of its own:
#  - a laptop (1024 x 768) with a projector (1280 x 720) to its right, which Wine shows the
#    program as two monitors: the range entry window dragged onto the projector opens the
#    stage there, covering it, and the whole stage shows;
#  - a 1920 x 1080 laptop at Windows' 150 % (LogPixels 144): the whole stage shows, a draw
#    at the real speed ends within its bounds.
# Each time the return button, clicked where the stage says it stands, closes the stage,
# and closing the range entry window ends the program with status 0. With SHOT_DIR set, a
# picture of each stage is saved there.
#   test_screens.sh TIRVEX_EXE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
if [ -z "${TIRVEX_WINE_SCREENS:-}" ]; then
  (TIRVEX_WINE_SCREENS=projector DISPLAY= in_x --screens 1024x768,1280x720 "$0" "$@")
  (TIRVEX_WINE_SCREENS=scaled DISPLAY= in_x --size 1920x1080 "$0" "$@")
  echo "PASS: the stage on the projector's monitor, and whole on a 150 % screen"
  exit 0
fi
# Wine's desktop process keeps the monitors of the X server it started on: the one left by
# an earlier test, on another server, must be gone before this program starts.
wait_for_wine
program=$(place_program "$1" screens)
export PROGRAM_LOG
PROGRAM_LOG=$(mktemp /tmp/tirvex-wine.XXXXXX.log)
trap 'close_program; set_wine_dpi 96; rm -f "$PROGRAM_LOG"' EXIT
caption='نرم افزار قرعه'
if [ "$TIRVEX_WINE_SCREENS" = scaled ]; then
  set_wine_dpi 144
  export SCREEN_SCALE=1.5
fi

TIRVEX_TRACE=1 start_program "$WINE" "$program"
wait_for_class tirvex.exe >/dev/null
pass_splash
main=$(wait_for_window "$caption")
settle 1
if [ "$TIRVEX_WINE_SCREENS" = projector ]; then
  xdotool windowmove --sync "$main" 1300 150 || fail "the range entry window could not be moved"
  settle 1
  stage=$(open_stage "$main")
  wait_for_window_geometry "$stage" 1024 0 1280 720
  wait_for_line '^tirvex: stage 1280x720 ' 100
  read -r back_x back_y <<<"$(check_whole_stage 1280x720)"
else
  stage=$(open_stage "$main")
  wait_for_window_geometry "$stage" 0 0 1920 1080
  wait_for_line '^tirvex: stage 1920x1080 ' 100
  read -r back_x back_y <<<"$(check_whole_stage 1920x1080)"
  xdotool windowactivate --sync "$stage" >/dev/null 2>&1 || true
  xdotool key space
  wait_for_line '^tirvex: draw started' 100
  wait_for_line '^tirvex: drawn [0-9]{6}' 300
  drawn=$(sed -n 's/^tirvex: drawn \([0-9]*\).*$/\1/p' "$PROGRAM_LOG" | head -n 1)
  ((10#$drawn >= 35000 && 10#$drawn <= 84570)) || fail "$drawn lies outside 035000-084570"
fi
[ -z "${SHOT_DIR:-}" ] || { mkdir -p "$SHOT_DIR" && shot "$SHOT_DIR/stage-$TIRVEX_WINE_SCREENS.png"; }

click_in "$stage" "$back_x" "$back_y"
wait_for_no_window_id "$stage"
key_to "$main" alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program exited with status $EXIT_STATUS"
wait_for_wine
echo "pass ($TIRVEX_WINE_SCREENS): the whole stage showed where it should${drawn:+, drew $drawn}"
