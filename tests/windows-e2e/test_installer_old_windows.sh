#!/usr/bin/env bash
# On a Windows older than 10 the installer stops before it writes anything: in a copy of
# the build's prefix set to report Windows 7, setup /S, for either scope too, ends with
# status 3 and leaves no file and no registry value behind.
#   test_installer_old_windows.sh SETUP_EXE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
work=$(mktemp -d)
trap 'WINEPREFIX=$work/wine "$(dirname "$WINE")/wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
cp -a "$WINEPREFIX" "$work/wine"
export WINEPREFIX=$work/wine
"$WINE" winecfg -v win7
"$WINE" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v CurrentVersion | grep -q '6\.1' ||
  fail "the prefix does not report Windows 7 (6.1)"
wait_for_wine

# Every path on the prefix's C: drive, and every registry line that names Tirvex.
state() { (cd "$WINEPREFIX" && find drive_c | sort; grep -i tirvex ./*.reg || true); }
before=$(state)
for scope in "" /CurrentUser /AllUsers; do
  status=0; "$WINE" "$1" /S $scope || status=$?
  wait_for_wine
  [ "$status" = 3 ] || fail "setup /S $scope on Windows 7 ended with status $status, not 3"
done
diff <(echo "$before") <(state) >&2 || fail "the refused installer left something behind"
echo "PASS: on Windows 7 setup /S refuses with status 3 and writes nothing"
