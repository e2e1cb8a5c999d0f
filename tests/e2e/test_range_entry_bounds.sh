#!/usr/bin/env bash
# Bounds in the wrong order: the start caption shows the bounds message, Enter dismisses
# it, both fields are still filled to six digits and no stage opens. Equal bounds open
# nothing and show nothing.
#   test_range_entry_bounds.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
under_x "$0" "$@"

program=${1:?program path}
caption='نرم افزار قرعه'
title='خطاي ورود اعداد'
shots=${TIRVEX_SHOTS:-$(mktemp -d)}
PROGRAM_LOG=$(mktemp)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT

count_windows() { xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "$1" 2>/dev/null | wc -l; }

start_program env TIRVEX_TRACE=1 "$program"
pass_splash
main=$(wait_for_window "$caption")
settle
geometry=($(window_geometry "$main"))
bar=$((geometry[3] - 300))

type_bounds() {
  click_in "$main" 112 $((bar + 39))
  xdotool key Home shift+End
  xdotool type --delay 50 "$1"
  xdotool key Tab
  xdotool type --delay 50 "$2"
}

type_bounds 900 80
click_in "$main" 220 $((bar + 222))
box=$(wait_for_window "$title")
settle
shot "$shots/bounds-message.png"
# The box holds the program: the fields are not filled until it is dismissed.
grep -q '^tirvex: bounds' "$PROGRAM_LOG" && fail "the fields were filled before the message was dismissed"
xdotool key Return
wait_for_no_window "$title"
settle
grep -qx 'tirvex: bounds 000900 000080' "$PROGRAM_LOG" || { cat "$PROGRAM_LOG" >&2; fail "the fields were not filled"; }
[ "$(count_windows "$caption")" = 1 ] || fail "a stage opened for reversed bounds"
shot "$shots/range-entry-filled.png"

type_bounds 12345 12345
click_in "$main" 220 $((bar + 222))
settle
grep -qx 'tirvex: bounds 012345 012345' "$PROGRAM_LOG" || { cat "$PROGRAM_LOG" >&2; fail "equal bounds were not filled"; }
[ "$(count_windows "$title")" = 0 ] || fail "equal bounds showed the message"
[ "$(count_windows "$caption")" = 1 ] || fail "a stage opened for equal bounds"
grep -q 'handed over' "$PROGRAM_LOG" && fail "bounds were handed over"
echo "PASS ($box)"
