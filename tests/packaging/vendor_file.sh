#!/usr/bin/env bash
# A vendor's own vendor file reaches every place that names the vendor. The tree is
# configured with a plain vendor's file, whose values each generated file must carry, and
# with a hostile one (tests/packaging/hostile-vendor: a Persian name, and in its values
# every character that means something in one of the formats), whose files are each read
# back with a parser of their format (read_vendor.py) and must give its values exactly:
# vendor.h compiled, the about window's five lines offscreen, the AppStream metadata, the
# Debian copyright file and control fields, and the written offer of Qt's source. A value
# no format can carry is refused with its field's name, and the example's values are
# pointed out.
#   vendor_file.sh SOURCE_DIR WORK_DIR
set -euo pipefail
src=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
cat >"$work/vendor.cmake" <<'VENDOR'
set(TIRVEX_VENDOR_NAME "Kavir Draws & Co")
set(TIRVEX_VENDOR_EMAIL "draws@kavir.test")
set(TIRVEX_VENDOR_WEBLOG "kavir.test/blog")
set(TIRVEX_VENDOR_WEBSITE "www.kavir.test")
set(TIRVEX_VENDOR_PHONE "021 1111 2222")
set(TIRVEX_VENDOR_PHONE2 "021 3333 4444")
set(TIRVEX_VENDOR_HOMEPAGE "https://kavir.test/tirvex")
set(TIRVEX_VENDOR_MAINTAINER "Kavir Draws <draws@kavir.test>")
set(TIRVEX_VENDOR_ADDRESS "Kavir Draws, 7 Test Lane, Yazd")
set(TIRVEX_VENDOR_APPSTREAM_ID "test.kavir.tirvex")
VENDOR
mkdir "$work/licences" && echo "Kavir's terms" >"$work/licences/Tirvex.txt"
configure() { cmake -S "$src" -B "$work/build" -DTIRVEX_TESTS=OFF -DTIRVEX_VENDOR_FILE="$1" >"$work/log" 2>&1; }
configure "$work/vendor.cmake" || { cat "$work/log"; exit 1; }
! grep -q "still the example" "$work/log" || { echo "FAIL: a vendor's own file is called the example"; exit 1; }

b=$work/build
failed=0
while IFS='|' read -r file expected; do
  if ! grep -qF -- "$expected" "$b/$file"; then echo "FAIL: $file does not carry '$expected'"; failed=1; fi
  if grep -qE 'example\.(org|com)|202 555' "$b/$file"; then echo "FAIL: $file still names the example vendor"; failed=1; fi
done <<'TABLE'
generated/vendor.h|"draws@kavir.test"
generated/vendor.h|"021 3333 4444"
tirvex.rc|"CompanyName", "Kavir Draws & Co"
packaging/copyright|Upstream-Contact: Kavir Draws <draws@kavir.test>
packaging/copyright|Copyright: 2026 Kavir Draws & Co
packaging/test.kavir.tirvex.metainfo.xml|<id>test.kavir.tirvex</id>
packaging/test.kavir.tirvex.metainfo.xml|<developer_name>Kavir Draws &amp; Co</developer_name>
CPackConfig.cmake|"Kavir Draws <draws@kavir.test>"
CPackConfig.cmake|"https://kavir.test/tirvex"
TABLE

# --- The hostile vendor, read back with parsers ----------------------------------------
here=$src/tests/packaging
h=$work/hostile
configure() { TIRVEX_VENDOR_FILE=$1 cmake -S "$src" -B "$h" >"$work/log" 2>&1; }
configure "$here/hostile-vendor/vendor.cmake" || { cat "$work/log"; exit 1; }
# The configure that make runs by itself, with no vendor named, keeps the build's vendor.
cmake "$h" >"$work/log" 2>&1 && ! grep -q "still the example" "$work/log" ||
  { echo "FAIL: configured again, the build forgot its vendor file"; failed=1; }
read_back() { /usr/bin/python3 "$here/read_vendor.py" "$h/generated/vendor-values.txt" "$@" || failed=1; }
cat >"$work/literals.cpp" <<'CPP'
#include "vendor.h"
#include <cstdio>
int main() {
    std::printf("NAME=%s\nEMAIL=%s\nWEBLOG=%s\nWEBSITE=%s\nPHONE=%s\nPHONE2=%s\n", TIRVEX_VENDOR_NAME,
                TIRVEX_VENDOR_EMAIL, TIRVEX_VENDOR_WEBLOG, TIRVEX_VENDOR_WEBSITE, TIRVEX_VENDOR_PHONE,
                TIRVEX_VENDOR_PHONE2);
}
CPP
c++ -std=c++20 -Wall -Werror -I "$h/generated" "$work/literals.cpp" -o "$work/literals" &&
  "$work/literals" >"$work/literals.txt" && read_back literals "$work/literals.txt" ||
  { echo "FAIL: vendor.h does not compile into the vendor's values"; failed=1; }
metainfo=$h/packaging/test.kavir.tirvex.metainfo.xml
xmllint --noout "$metainfo" && appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; echo "FAIL: the metainfo is not valid"; failed=1; }
read_back metainfo "$metainfo"
read_back copyright "$h/packaging/copyright"
desktop-file-validate "$src/packaging/tirvex.desktop" || failed=1
# The Debian control file's fields as CPack has them, and the written offer of Qt's source
# (written by the Windows build) from its template.
cat >"$work/dump.cmake" <<'CMAKE'
include(${BUILD}/CPackConfig.cmake)
foreach(name CPACK_PACKAGE_VENDOR CPACK_PACKAGE_CONTACT CPACK_DEBIAN_PACKAGE_MAINTAINER CPACK_DEBIAN_PACKAGE_HOMEPAGE)
  string(HEX "${${name}}" hex)
  file(APPEND ${OUT} "${name}=${hex}\n")
endforeach()
include(${SRC}/cmake/vendor.cmake)
configure_file(${SRC}/packaging/windows/Qt-source-offer.txt.in ${OFFER} @ONLY)
CMAKE
TIRVEX_VENDOR_FILE=$here/hostile-vendor/vendor.cmake cmake -DBUILD="$h" -DSRC="$src" -DOUT="$work/cpack.txt" \
  -DOFFER="$work/offer.txt" -P "$work/dump.cmake" >/dev/null
read_back cpack "$work/cpack.txt"
read_back offer "$work/offer.txt"
cmake --build "$h" --target windows_about_test_about -j"$(nproc)" >"$work/build.log" 2>&1 ||
  { tail -n 20 "$work/build.log"; exit 1; }
QT_QPA_PLATFORM=offscreen TIRVEX_VENDOR_VALUES=$h/generated/vendor-values.txt \
  "$h/tests/windows_about_test_about" contactLinesAreTheVendorsOwn >"$work/about.log" 2>&1 ||
  { cat "$work/about.log"; echo "FAIL: the about window does not show the vendor's values"; failed=1; }

# What no format can carry is refused, naming the field.
while IFS='|' read -r field value message; do
  rm -rf "$work/refused" && cp -r "$here/hostile-vendor" "$work/refused"
  printf 'set(TIRVEX_VENDOR_%s "%s")\n' "$field" "$value" >>"$work/refused/vendor.cmake"
  # CMake wraps its messages at a width that depends on the path before them.
  ! configure "$work/refused/vendor.cmake" && tr -s ' \n' '  ' <"$work/log" | grep -qF "$message" ||
    { echo "FAIL: $field '$value' was not refused with '$message'"; cat "$work/log"; failed=1; }
done <<'TABLE'
PHONE2|021\n3333|TIRVEX_VENDOR_PHONE2 must be one line
NAME||TIRVEX_VENDOR_NAME must be one line
ADDRESS|Yazd\tIran|TIRVEX_VENDOR_ADDRESS must be one line
WEBSITE|www.kavir.test/\${PRODUCT}|TIRVEX_VENDOR_WEBSITE must not hold "${"
APPSTREAM_ID|kavir|'kavir' is not a reversed domain name
APPSTREAM_ID|ir.kavir&co.tirvex|is not a reversed domain name
TABLE
configure "$src/packaging/vendor.cmake" && grep -q "still the example" "$work/log" ||
  { echo "FAIL: the example vendor is not pointed out"; failed=1; }
rm -rf "$work"
[ "$failed" = 0 ] && echo "the vendor file reaches every generated file"
