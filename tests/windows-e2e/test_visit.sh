#!/usr/bin/env bash
# tirvex.exe under Wine as an operator meets it, started from a folder whose name has
# Persian letters and a space: the splash, a key, the range entry window, bounds typed in
# the wrong order and the message that says so, the bounds typed again, the start
# caption, a whole draw at the real speed that ends within the bounds (the marker is read
# from beside the program, through that folder's name), the return button, the about
# window from the menu, and exit status 0 once the last window closes. With SHOT_DIR set,
# a picture of each window is saved there.
#   test_visit.sh TIRVEX_EXE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
program=$(place_program "$1" 'قرعه کشی')
shots=${SHOT_DIR:-}
[ -z "$shots" ] || mkdir -p "$shots"
picture() { [ -z "$shots" ] || "$@"; }
export PROGRAM_LOG
PROGRAM_LOG=$(mktemp /tmp/tirvex-wine.XXXXXX.log)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT
caption='نرم افزار قرعه'
lower=1200 upper=1450

TIRVEX_TRACE=1 start_program "$WINE" "$program"
splash=$(wait_for_class tirvex.exe)
settle 1
picture shot_window "$splash" "$shots/splash.png"
pass_splash
main=$(wait_for_window "$caption")
settle 1
picture shot_window "$main" "$shots/range-entry.png"
read -r _ _ _ height <<<"$(window_geometry "$main")"
bar=$((height - 300))

type_bounds() {
  click_in "$main" 112 $((bar + 39))
  xdotool key Home shift+End
  xdotool type --delay 40 "$1"
  xdotool key Tab
  xdotool type --delay 40 "$2"
}
type_bounds "$upper" "$lower"
click_in "$main" 220 $((bar + 222))
message=$(wait_for_window 'خطاي ورود اعداد')
settle 1
picture shot "$shots/message-box.png"
key_to "$message" Return
wait_for_no_window 'خطاي ورود اعداد'

type_bounds "$lower" "$upper"
stage=$(open_stage "$main")
settle 1
read -r _ _ w _ <<<"$(window_geometry "$stage")"
key_to "$stage" space
wait_for_line '^tirvex: draw started' 100
sleep 7.4
picture shot "$shots/stage-drawing.png"
wait_for_line '^tirvex: drawn [0-9]{6}' 300
number=$(sed -n 's/^tirvex: drawn \([0-9]*\).*$/\1/p' "$PROGRAM_LOG" | head -n 1)
((10#$number >= lower && 10#$number <= upper)) || fail "drew $number, outside $lower-$upper"
! grep -q 'tirvex: error' "$PROGRAM_LOG" || fail "an error was reported: $(cat "$PROGRAM_LOG")"
settle
picture shot "$shots/stage-finished.png"

click_in "$stage" $((w / 2)) $((10560 / 15 + 18))
wait_for_no_window_id "$stage"

about=$(open_about "$main")
settle 1
picture shot_window "$about" "$shots/about.png"
key_to "$about" Escape
wait_for_no_window 'درباره ما'

key_to "$main" alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program exited with status $EXIT_STATUS"
echo "PASS: from 'C:\\قرعه کشی' drew $number within $lower-$upper; message, return, about, exit status 0"
