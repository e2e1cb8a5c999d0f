#!/usr/bin/env bash
# Where the installer refuses, it stops before it writes anything: in a copy of the build's
# prefix, setup /S for everyone into a folder outside Program Files, or inside it into one
# that others may change (Wine shows what Unix lets others write as Everyone's), or over a
# Tirvex that an older installer put there for everyone, ends with status 8; set to report
# Windows 7, for either scope too, with status 3; each leaves no file and no registry value
# behind.
#   test_installer_old_windows.sh SETUP_EXE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
work=$(mktemp -d)
trap 'WINEPREFIX=$work/wine "$(dirname "$WINE")/wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
cp -a "$WINEPREFIX" "$work/wine"
export WINEPREFIX=$work/wine
# The copy's first start is a boot: it carries out what earlier tests left for the next one
# (an uninstaller's temporary copy, the menu entries of a removed shortcut), which no
# refusal may be blamed for.
"$WINE" cmd /c exit 0 || true
wait_for_wine

# Every path on the prefix's C: drive, and every registry line that names Tirvex.
state() { (cd "$WINEPREFIX" && find drive_c | sort; grep -i tirvex ./*.reg || true); }
# refused STATUS OPTIONS: through a batch file, as typed (/D takes the rest of the line,
# spaces and all, only unquoted), setup OPTIONS ends with STATUS and changes nothing.
refused() {
  local status=0 before
  wait_for_wine
  before=$(state)
  printf '@"Z:%s" %s\r\n@exit /b %%errorlevel%%\r\n' "${1//\//\\}" "$3" >"$work/setup.bat"
  "$WINE" cmd /c "Z:${work//\//\\}\\setup.bat" || status=$?
  wait_for_wine
  [ "$status" = "$2" ] || fail "setup $3 ended with status $status, not $2"
  diff <(echo "$before") <(state) >&2 || fail "the refused setup $3 left something behind"
}
for folder in 'C:\Tirvex' 'C:\Program Files2\Tirvex' 'C:\Program Files\..\Tirvex'; do
  refused "$1" 8 "/S /AllUsers /D=$folder"
done
# Inside Program Files: the folder, a folder between, or the uninstaller others may change.
pf="$WINEPREFIX/drive_c/Program Files"
for writable in Vendor/Tirvex Vendor Vendor/Tirvex/uninstall.exe; do
  mkdir -p "$pf/Vendor/Tirvex" && touch "$pf/Vendor/Tirvex/uninstall.exe"
  chmod o+w "$pf/$writable"
  refused "$1" 8 '/S /AllUsers /D=C:\Program Files\Vendor\Tirvex'
  rm -rf "$pf/Vendor"
done
mkdir "$WINEPREFIX/drive_c/Tirvex" && touch "$WINEPREFIX/drive_c/Tirvex/uninstall.exe"
"$WINE" reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tirvex' /v InstallLocation /d 'C:\Tirvex' /f
for options in '/S /AllUsers' '/S /AllUsers /D=C:\Program Files\Tirvex'; do
  refused "$1" 8 "$options"
done

"$WINE" winecfg -v win7
"$WINE" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v CurrentVersion | grep -q '6\.1' ||
  fail "the prefix does not report Windows 7 (6.1)"
for scope in "" /CurrentUser /AllUsers; do
  refused "$1" 3 "/S $scope"
done
echo "PASS: setup /S refuses for everyone outside Program Files with status 8, on Windows 7 with 3, and writes nothing"
