#!/usr/bin/env bash
# A whole draw as the operator holds it: type the bounds into the range entry window (the
# upper one in Persian digits), click the start caption, press the stage's start button
# and watch all six digits settle at the real speed; the number drawn lies within the
# typed bounds. Then the return button brings the range entry window back, and closing
# it ends the program.
#   test_range_entry_draw.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
under_x "$0" "$@"

program=${1:?program path}
caption='نرم افزار قرعه'
shots=${TIRVEX_SHOTS:-$(mktemp -d)}
PROGRAM_LOG=$(mktemp)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT

start_program env TIRVEX_TRACE=1 "$program"
pass_splash
main=$(wait_for_window "$caption")
settle
# The client area lies under the menu bar: its height is what the window has beyond 300.
geometry=($(window_geometry "$main"))
bar=$((geometry[3] - 300))

# Lower bound: select the default text in Text1 and type over it; the letter is refused.
click_in "$main" 112 $((bar + 39))
xdotool key Home shift+End
xdotool type --delay 80 '40a71'
# Upper bound: Tab selects the whole of Text2, typed with a Persian keyboard's digits.
xdotool key Tab
xdotool type --delay 80 '۴۳۹۸'
settle 0.3
shot "$shots/range-entry-typed.png"

stage=$(open_stage "$main")
wait_for_line '^tirvex: handed over 004071 004398$' 50
settle
# The start button stands centred at the top of the 1024 x 768 stage.
started=$(date +%s.%N)
click_in "$stage" 512 78
wait_for_line '^tirvex: drawn [0-9]{6}$' 400
finished=$(date +%s.%N)
shot "$shots/stage-drawn.png"

drawn=$(grep -oE '^tirvex: drawn [0-9]{6}$' "$PROGRAM_LOG" | tail -n 1 | awk '{print $3}')
[ $((10#$drawn)) -ge 4071 ] && [ $((10#$drawn)) -le 4398 ] ||
  fail "drawn $drawn is outside 004071..004398"
seconds=$(awk -v a="$started" -v b="$finished" 'BEGIN{printf "%.2f", b - a}')
echo "drawn $drawn in $seconds s (30 ticks of 400 ms)"
# Ticks never come early: a draw quicker than 30 intervals ran at the wrong speed.
awk -v s="$seconds" 'BEGIN{exit !(s >= 11.5)}' || fail "the draw took only $seconds s"

# The return button closes the stage; the range entry window is active again.
click_in "$stage" 512 722
wait_for_no_window_id "$stage"
for _ in $(seq 1 50); do
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ] && break
  sleep 0.1
done
[ "$(xdotool getactivewindow)" = "$main" ] || fail "the range entry window is not active again"

xdotool key alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS"
grep -q 'error' "$PROGRAM_LOG" && { cat "$PROGRAM_LOG" >&2; fail "an error was reported"; }
echo "PASS"
