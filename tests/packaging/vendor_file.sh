#!/usr/bin/env bash
# A vendor's own vendor file reaches every place that names the vendor: the tree is
# configured with one, and each generated file must carry its values and none of the
# example's. A value that would break a generated file is refused with its name, and
# the example's values are pointed out.
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

sed -i 's/"021 3333 4444"/"021 3333 4444\\"); system(\\"x"/' "$work/vendor.cmake"
# CMake wraps its messages at a width that depends on the path before them.
! configure "$work/vendor.cmake" && tr -s ' \n' '  ' <"$work/log" | grep -q "TIRVEX_VENDOR_PHONE2 must be one line" ||
  { echo "FAIL: a phone number with a quote in it was not refused"; cat "$work/log"; failed=1; }
configure "$src/packaging/vendor.cmake" && grep -q "still the example" "$work/log" ||
  { echo "FAIL: the example vendor is not pointed out"; failed=1; }
rm -rf "$work"
[ "$failed" = 0 ] && echo "the vendor file reaches every generated file"
