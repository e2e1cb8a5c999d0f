#!/usr/bin/env bash
# A hostile vendor (tests/packaging/hostile-vendor: a Persian name, and every character
# that means something in a format) on Windows, each value read back with a parser and
# compared exactly: the version record the build writes, compiled by windres and read with
# pefile; the installer's own record, made by makensis; and the uninstall entry's Publisher
# and homepage, as the installer writes them into Wine's registry.
#   test_vendor.sh SETUP_EXE VERSION PACKAGE_SETTINGS
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
. "$(dirname "$0")/installer-lib.sh"
setup=$1 version=$2 settings=$3
name=tirvex-$version-win64
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'forget_installs; rm -rf "$work"' EXIT
forget_installs
read_back() { /usr/bin/python3 "$src/tests/packaging/read_vendor.py" "$work/values.txt" "$@"; }

cat >"$work/record.cmake" <<'CMAKE'
include(${SRC}/packaging/windows/version_record.cmake)
tirvex_write_version_record(${WORK}/tirvex.rc 1 0 12 ${SRC}/resources/images/icon.ico)
CMAKE
TIRVEX_VENDOR_FILE=$hostile_vendor cmake -DSRC="$src" -DWORK="$work" -DTIRVEX_VENDOR_VALUES="$work/values.txt" \
  -P "$work/record.cmake" >/dev/null
echo 'int main(void) { return 0; }' >"$work/main.c"
x86_64-w64-mingw32-windres "$work/tirvex.rc" -O coff -o "$work/record.o"
x86_64-w64-mingw32-gcc-posix -mwindows "$work/main.c" "$work/record.o" -o "$work/record.exe"
read_back exe "$work/record.exe"

hostile_settings "$settings" "$work/settings.cmake"
unpack_built "$setup" "$work"
make_installer "$work/$name" "$version" "$work/settings.cmake"
read_back setup "$work/$name-setup.exe"
run_silently "$work/$name-setup.exe" /S /CurrentUser
[ "$STATUS" = 0 ] || fail "the hostile vendor's installer exited $STATUS"
"$WINE" reg export "${key[user]}" "Z:${work//\//\\}\\entry.reg" >/dev/null 2>&1 || fail "no uninstall entry"
read_back registry "$work/entry.reg"
echo "PASS: the hostile vendor's values read back exactly from the version records and the registry"
