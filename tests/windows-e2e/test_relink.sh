#!/usr/bin/env bash
# The relinking kit as a user of the LGPL would use it: unpacked alone, it links tirvex.exe
# against the Qt that scripts/build-qt-windows built; against the very Qt the downloads
# were built with, and with their time, that is the shipped tirvex.exe byte for byte. And
# that program starts: its splash, its range entry window, and status 0 when it is closed.
#   test_relink.sh KIT_ZIP QT_PREFIX SHIPPED_EXE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
kit_zip=$1 qt=$2 shipped=$3
PROGRAM_PID=""
work=$(mktemp -d)
trap 'close_program; rm -rf "$work"' EXIT

python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$kit_zip" "$work"
kit=$(find "$work" -mindepth 1 -maxdepth 1 -type d)
cmake -S "$kit" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$kit/toolchain/windows-build.cmake" \
  -DTIRVEX_QT_PREFIX="$qt" -DCMAKE_BUILD_TYPE=Release >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "the kit's link step did not configure"; }
stamp=$(/usr/bin/python3 -c 'import sys, pefile; print(pefile.PE(sys.argv[1], fast_load=True).FILE_HEADER.TimeDateStamp)' "$shipped")
SOURCE_DATE_EPOCH=$stamp cmake --build "$work/build" >>"$work/log" 2>&1 ||
  { cat "$work/log"; fail "the kit did not link"; }
relinked=$work/build/tirvex.exe
cmp -s "$relinked" "$shipped" ||
  fail "the relinked tirvex.exe differs from the shipped one: $(cmp -l "$relinked" "$shipped" | wc -l) bytes"
echo "the relinked tirvex.exe is the shipped one, byte for byte"
cp "$(dirname "$shipped")/green.gif" "$work/build/"

program=$(place_program "$relinked" TirvexRelinked)
start_and_close "$WINE" "$program"
[ "$EXIT_STATUS" = 0 ] || fail "the relinked program exited with status $EXIT_STATUS"
echo "PASS: the kit relinks tirvex.exe, which starts and exits with status 0"
