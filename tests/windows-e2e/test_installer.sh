#!/usr/bin/env bash
# The installer as an administrator runs it unattended: setup /S puts the program into
# Program Files with green.gif beside it, a Start-menu shortcut, and an entry in the list
# of installed programs; the installed program starts and shows its splash; the entry's
# own quiet uninstall command then removes the files, the folder, the shortcut and the entry.
#   test_installer.sh SETUP_EXE VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
setup=$1 version=$2
[ -f "$setup" ] || fail "$setup does not exist: build the target windows-packages first"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tirvex'
dir="$WINEPREFIX/drive_c/Program Files/Tirvex"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tirvex.lnk"
trap close_program EXIT

# One value of the uninstall entry, or nothing when there is none.
entry() { "$WINE" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }

"$WINE" "$setup" /S || fail "the installer ended with status $?"
wait_for_wine
for file in tirvex.exe green.gif README.txt uninstall.exe; do
  [ -f "$dir/$file" ] || fail "$file is not in Program Files\\Tirvex after the install"
done
cmp -s "$dir/tirvex.exe" "$(dirname "$setup")/tirvex-$version-win64/tirvex.exe" ||
  fail "the installed tirvex.exe is not the one built"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
grep -qa 'tirvex.exe' "$shortcut" || fail "the shortcut does not lead to tirvex.exe"

check_entry() {
  local value
  value=$(entry "$1")
  [ "$value" = "$2" ] || fail "the uninstall entry's $1 is '$value', not '$2'"
}
check_entry DisplayName Tirvex
check_entry DisplayVersion "$version"
check_entry Publisher 'Tirvex developers'
check_entry DisplayIcon 'C:\Program Files\Tirvex\tirvex.exe,0'
check_entry UninstallString '"C:\Program Files\Tirvex\uninstall.exe"'
quiet=$(entry QuietUninstallString)
[ "$quiet" = '"C:\Program Files\Tirvex\uninstall.exe" /S' ] || fail "QuietUninstallString is '$quiet'"
echo "installed: files, shortcut and uninstall entry in place"

start_program "$WINE" 'C:\Program Files\Tirvex\tirvex.exe'
wait_for_class tirvex.exe >/dev/null
pass_splash
main=$(wait_for_window 'نرم افزار قرعه')
key_to "$main" alt+F4
wait_for_exit
[ "$EXIT_STATUS" = 0 ] || fail "the installed program exited with status $EXIT_STATUS"
echo "the installed program started, showed its splash, and ended with status 0"

# The uninstaller copies itself away and returns at once; the copy does the work.
"$WINE" 'C:\Program Files\Tirvex\uninstall.exe' /S || fail "the uninstaller ended with status $?"
wait_for_wine
[ ! -e "$dir" ] || fail "Program Files\\Tirvex is still there: $(ls -A "$dir" | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there"
"$WINE" reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
echo "PASS: installed, started and removed silently"
