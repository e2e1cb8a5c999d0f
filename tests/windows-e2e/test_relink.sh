#!/usr/bin/env bash
# The relinking kit as a user of the LGPL would use it: unpacked alone, it links tirvex.exe
# against the Qt that scripts/build-qt-windows built; against the very Qt the downloads
# were built with, and with their time, that is the shipped tirvex.exe, signed or not, byte for
# byte once any signature is removed; its objects, renamed here to sort against the kit's
# list, link in the list's order. And that program starts: its splash, its range entry
# window, and status 0 when it is closed.
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
mapfile -t listed <"$kit/obj/objects.txt"
for i in "${!listed[@]}"; do mv "$kit/obj/${listed[$i]}" "$kit/obj/$(( ${#listed[@]} - i ))-${listed[$i]}"; done
awk -v n=${#listed[@]} '{ print n + 1 - NR "-" $0 }' "$kit/obj/objects.txt" >"$work/list" && mv "$work/list" "$kit/obj/objects.txt"

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
  TIRVEX_SIGN_URL=https://example.org "$(dirname "$0")/../../packaging/windows/sign" "$work/signed.exe" Tirvex >/dev/null
for exe in "$shipped" "$work/signed.exe"; do
  osslsigncode remove-signature -in "$exe" -out "$work/compared.exe" >/dev/null 2>&1 || cp "$exe" "$work/compared.exe"
  cmp -s "$relinked" "$work/compared.exe" ||
    fail "the relinked tirvex.exe differs from $(basename "$exe"): $(cmp -l "$relinked" "$work/compared.exe" | wc -l) bytes"
  rm "$work/compared.exe"
done
echo "the relinked tirvex.exe is the shipped one, byte for byte, unsigned and with its signature removed"
cp "$(dirname "$shipped")/green.gif" "$work/build/"

program=$(place_program "$relinked" TirvexRelinked)
start_and_close "$WINE" "$program"
[ "$EXIT_STATUS" = 0 ] || fail "the relinked program exited with status $EXIT_STATUS"
echo "PASS: the kit relinks tirvex.exe, which starts and exits with status 0"
