#!/usr/bin/env bash
# A raffle of five prizes from tickets 1 to 237, held as an operator would: F8 opens the
# winners window, Space there lets each ticket win once, five draws on the stage at the
# real speed, one winner marked absent. Closing the range entry window with rows in no file
# asks first and Esc keeps it open; a save into a folder that cannot be written says so and
# keeps every row; the CSV saved into the documents folder (a Persian name) reads back as
# the rows shown, and the PDF holds the five numbers. Given tirvex.exe, the same under Wine,
# in the Windows build's prefix.
#   test_winners.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:?program path}
if [[ $program == *.exe ]]; then . "$here/../windows-e2e/lib.sh"; else . "$here/lib.sh"; fi
under_x "$0" "$@"

caption='نرم افزار قرعه'
work=$(mktemp -d)
PROGRAM_LOG="$work/log"
folder='اسناد قرعه ۱۴۰۵'
writable() { if [ "$(id -u)" = 0 ]; then chattr "$1i" "$docs"; else chmod "u$2w" "$docs"; fi; }
if [ -n "${WINE:-}" ]; then
  # Windows' documents folder, where the user's shell folders say it is (a .reg file in
  # UTF-16 carries the Persian name whatever the locale); the prefix's own comes back at the end.
  docs="$WINEPREFIX/drive_c/$folder"
  shell_folders='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
  "$WINE" reg export "$shell_folders" 'C:\shell-folders.reg' /y >/dev/null 2>&1 ||
    fail "could not read the user's shell folders"
  trap 'close_program; writable - + 2>/dev/null; "$WINE" regedit /S "C:\\shell-folders.reg"; rm -rf "$work" "$docs"' EXIT
  mkdir -p "$docs"
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"Personal"="C:\\\\%s"\r\n' \
    "$shell_folders" "$folder" | iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/drive_c/documents.reg"
  "$WINE" regedit /S 'C:\documents.reg' || fail "could not set the documents folder"
  TIRVEX_TRACE=1 start_program "$WINE" "$(place_program "$program" 'قرعه کشی')"
  wait_for_class tirvex.exe >/dev/null
else
  # Qt reads the documents folder from the user's XDG directories.
  docs="$work/$folder"
  mkdir -p "$docs" "$work/config"
  printf 'XDG_DOCUMENTS_DIR="%s"\n' "$docs" >"$work/config/user-dirs.dirs"
  trap 'close_program; writable - + 2>/dev/null; rm -rf "$work"' EXIT
  start_program env TIRVEX_TRACE=1 XDG_CONFIG_HOME="$work/config" "$program"
fi
shots=${TIRVEX_SHOTS:-${SHOT_DIR:-}}
pass_splash
main=$(wait_for_window "$caption")
settle
# The lower bound, typed over its default; Tab selects the whole upper bound.
geometry=($(window_geometry "$main"))
click_in "$main" 112 $((geometry[3] - 300 + 39))
xdotool key Home shift+End
xdotool type --delay 60 '1'
xdotool key Tab
xdotool type --delay 60 '237'

key_to "$main" F8
winners=$(wait_for_window 'برندگان')
settle
key_to "$winners" space
wait_for_line '^tirvex: each ticket once: on'

# Both windows open centred; the operator puts them side by side.
xdotool windowmove --sync "$winners" 0 0
xdotool windowmove --sync "$main" 574 330
settle
stage=$(open_stage "$main")
wait_for_line '^tirvex: handed over 000001 000237'
settle
for i in 1 2 3 4 5; do
  click_in "$stage" 512 78
  for _ in $(seq 1 400); do
    [ "$(grep -cE '^tirvex: drawn [0-9]{6}' "$PROGRAM_LOG")" -ge "$i" ] && break
    sleep 0.1
  done
  settle 0.3
done
drawn=$(grep -oE '^tirvex: drawn [0-9]{6}' "$PROGRAM_LOG" | awk '{print $3}')
[ "$(echo "$drawn" | wc -l)" = 5 ] || fail "five draws did not finish: $drawn"
[ "$(echo "$drawn" | sort -u | wc -l)" = 5 ] || fail "a ticket won twice: $drawn"
for n in $drawn; do
  [ $((10#$n)) -ge 1 ] && [ $((10#$n)) -le 237 ] || fail "$n is outside 1 to 237"
done

# The second row's winner is not in the room.
key_to "$winners" Tab ctrl+Home Down
settle 0.3
click_in "$winners" 523 364
settle 0.5
[ -z "$shots" ] || shot_window "$winners" "$shots/winners.png"

# Closing the range entry window with five rows in no file asks first; Esc cancels.
key_to "$main" alt+F4
question=$(wait_for_window 'بستن نرم افزار قرعه')
key_to "$question" Escape
wait_for_no_window 'بستن نرم افزار قرعه'
xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "^$caption\$" | grep -qx "$main" ||
  fail "cancelling the question closed the range entry window"

# A folder that cannot be written: the report names the file, and the rows stay.
writable + -
click_in "$winners" 377 364
dialog=$(wait_for_window 'ذخیره‌ی فهرست برندگان')
settle
key_to "$dialog" Return
wait_for_line '^tirvex: error: Could not write .*-[0-9]{4}-[0-9]{2}-[0-9]{2}\.csv'
settle
xdotool key Return
writable - +
click_in "$winners" 377 364
dialog=$(wait_for_window 'ذخیره‌ی فهرست برندگان')
settle
key_to "$dialog" Return
wait_for_line '^tirvex: sitting saved to '
csv=$(ls "$docs"/قرعه-*.csv)

click_in "$winners" 231 364
dialog=$(wait_for_window 'گزارش قرعه‌کشی برای امضا')
settle
key_to "$dialog" Return
wait_for_line '^tirvex: report written to '
# Not opened in a viewer here.
key_to "$(wait_for_window 'گزارش PDF')" Escape

python3 - "$csv" "$drawn" <<'EOF' || fail "the CSV does not read back as the rows shown"
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding="utf-8-sig", newline="")))
assert rows[0][:2] == ["ردیف", "عدد"], rows[0]
assert [r[1] for r in rows[1:]] == sys.argv[2].split(), rows
assert [r[5] for r in rows[1:]] == ["برنده", "غایب", "برنده", "برنده", "برنده"], rows
assert all(r[3:5] == ["000001", "000237"] and r[6] == "بله" for r in rows[1:]), rows
EOF
[ -z "$shots" ] || pdftoppm -r 60 -png -singlefile "${csv%.csv}.pdf" "$shots/winners-record"
text=$(pdftotext -enc UTF-8 "${csv%.csv}.pdf" - | tr '۰۱۲۳۴۵۶۷۸۹' '0123456789')
for n in $drawn; do
  grep -q "$n" <<<"$text" || fail "the PDF does not hold $n"
done

# Every row in a file: the range entry window closes without a word.
key_to "$main" alt+F4
wait_for_no_window_id "$main"
echo "PASS: five different winners of 1..237, one absent, CSV and PDF written, nothing lost"
