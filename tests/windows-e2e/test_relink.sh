#!/usr/bin/env bash
# The relinking kit as a user of the LGPL would use it: unpacked alone, it links tirvex.exe
# against the Qt that scripts/build-qt-windows built; against the very Qt the downloads
# were built with, and with their time, that is the tirvex.exe of the zip, byte for byte
# once a signature is removed, so a signed release compares as well as an unsigned one.
# The objects are linked in the order the kit lists them, whatever their names: here they
# are named so that they sort against it. And that program starts: its splash, its range entry
# window, and status 0 when it is closed.
#   test_relink.sh KIT_ZIP QT_PREFIX DOWNLOAD_ZIP
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
kit_zip=$1 qt=$2 download=$3
PROGRAM_PID=""
work=$(mktemp -d)
trap 'close_program; rm -rf "$work"' EXIT

unzip_to() { python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$1" "$2"; }
unzip_to "$kit_zip" "$work/kit"
unzip_to "$download" "$work/download"
kit=$(find "$work/kit" -mindepth 1 -maxdepth 1 -type d)
shipped=$(find "$work/download" -name tirvex.exe)
mapfile -t listed <"$kit/obj/objects.txt"
: >"$kit/obj/objects.txt"
for i in "${!listed[@]}"; do
  renamed=$(( ${#listed[@]} - i ))-${listed[$i]}
  mv "$kit/obj/${listed[$i]}" "$kit/obj/$renamed"
  echo "$renamed" >>"$kit/obj/objects.txt"
done

cmake -S "$kit" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$kit/toolchain/windows-build.cmake" \
  -DTIRVEX_QT_PREFIX="$qt" -DCMAKE_BUILD_TYPE=Release >"$work/log" 2>&1 ||
  { cat "$work/log"; fail "the kit's link step did not configure"; }
stamp=$(/usr/bin/python3 -c 'import sys, pefile; print(pefile.PE(sys.argv[1], fast_load=True).FILE_HEADER.TimeDateStamp)' "$shipped")
SOURCE_DATE_EPOCH=$stamp cmake --build "$work/build" >>"$work/log" 2>&1 ||
  { cat "$work/log"; fail "the kit did not link"; }
relinked=$work/build/tirvex.exe
# CMake hands MinGW's linker the program's objects as one archive, in the order they link.
linked=$(x86_64-w64-mingw32-ar t "$work/build/CMakeFiles/tirvex.dir/objects.a" | paste -sd ' ')
[ "$linked" = "$(paste -sd ' ' "$kit/obj/objects.txt")" ] ||
  fail "the kit linked its objects as '$linked', not in the order of obj/objects.txt"

use_test_signer "$work"
cp "$shipped" "$work/signed.exe"
TIRVEX_SIGN_PFX=$work/cert.pfx TIRVEX_SIGN_PASSWORD=throwaway \
  "$(dirname "$0")/../../packaging/windows/sign" "$work/signed.exe" Tirvex https://example.org >/dev/null
for exe in "$shipped" "$work/signed.exe"; do
  if osslsigncode extract-signature -in "$exe" -out "$work/signature" >/dev/null 2>&1; then
    osslsigncode remove-signature -in "$exe" -out "$work/compared.exe" >/dev/null
  else
    cp "$exe" "$work/compared.exe"
  fi
  cmp -s "$relinked" "$work/compared.exe" ||
    fail "the relinked tirvex.exe differs from $(basename "$exe"): $(cmp -l "$relinked" "$work/compared.exe" | wc -l) bytes"
  rm -f "$work/signature" "$work/compared.exe"
done
echo "the relinked tirvex.exe is the zip's, byte for byte, unsigned and with its signature removed"
cp "$(dirname "$shipped")/green.gif" "$work/build/"

program=$(place_program "$relinked" TirvexRelinked)
start_and_close "$WINE" "$program"
[ "$EXIT_STATUS" = 0 ] || fail "the relinked program exited with status $EXIT_STATUS"
echo "PASS: the kit relinks tirvex.exe, which starts and exits with status 0"
