#!/usr/bin/env bash
# Signing, with a throw-away certificate made here. Without TIRVEX_SIGN_PFX the packaging
# says that it does not sign and makes the build's own installer again, byte for byte.
# With it and TIRVEX_SIGN_PASSWORD it says that it signs, and osslsigncode verifies a
# signature by that certificate on tirvex.exe (the zip's and the installed one too), on
# the installer and on the uninstaller that the installer writes. Each case of the table
# at the end fails the packaging, which then leaves no download, not even an earlier one.
# All with the osslsigncode that a fresh Debian 12 installs.
#   test_signing.sh SETUP_EXE VERSION PACKAGE_SETTINGS
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
. "$(dirname "$0")/installer-lib.sh"
setup=$1 version=$2 settings=$3
name=tirvex-$version-win64
work=$(mktemp -d)
trap 'forget_installs; rm -rf "$work"' EXIT
forget_installs
use_test_signer "$work"
# The build stamped its installer with the commit's time; the same time makes the same files.
SOURCE_DATE_EPOCH=$(/usr/bin/python3 -c 'import sys, pefile; print(pefile.PE(sys.argv[1], fast_load=True).FILE_HEADER.TimeDateStamp)' "$setup")
export SOURCE_DATE_EPOCH
unset TIRVEX_SIGN_PFX TIRVEX_SIGN_PASSWORD TIRVEX_SIGN_TIMESTAMP_URL
for kind in unsigned signed; do
  mkdir "$work/$kind" && unpack_built "$setup" "$work/$kind"
done

make_installer "$work/unsigned/$name" "$version" "$settings"
grep -q 'unsigned' "$work/unsigned/$name.log" || fail "the unsigned packaging does not say that it is unsigned"
cmp "$work/unsigned/$name-setup.exe" "$setup" || fail "the unsigned installer made again differs from the build's"
! osslsigncode verify -in "$setup" >/dev/null 2>&1 || fail "the build's installer carries a signature"
echo "without a certificate: unsigned, said so, the same installer byte for byte"

TIRVEX_SIGN_PFX=$work/cert.pfx TIRVEX_SIGN_PASSWORD=throwaway make_installer "$work/signed/$name" "$version" "$settings"
grep -q 'signed with .*verified' "$work/signed/$name.log" || fail "the signed packaging does not say that it signs"
run_silently "$work/signed/$name-setup.exe" /S /CurrentUser
/usr/bin/python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' \
  "$work/signed/$name.zip" "$name/tirvex.exe" >"$work/zipped.exe"
for file in "$work/signed/$name/tirvex.exe" "$work/signed/$name-setup.exe" "${dir[user]}/uninstall.exe"; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify.log" 2>&1 &&
    grep -q 'Subject: /CN=Tirvex test signer' "$work/verify.log" ||
    { cat "$work/verify.log" >&2; fail "$(basename "$file") carries no signature by the test certificate"; }
done
cmp -s "$work/zipped.exe" "$work/signed/$name/tirvex.exe" && cmp -s "${dir[user]}/tirvex.exe" "$work/zipped.exe" ||
  fail "the zip or the installer does not carry the signed tirvex.exe"
echo "signed: tirvex.exe (in the zip and the installer), the installer and the uninstaller"

mkdir "$work/bin" "$work/failing" # a signer failing its FAIL_AT-th signing: tirvex.exe, uninstaller, installer
printf '#!/bin/bash\n[ "$1" = sign ] && echo >>%s/signings && [ "$(wc -l <%s/signings)" = "${FAIL_AT:-0}" ] &&
  { echo "the time-stamp server does not answer" >&2; exit 1; }\nexec %s/osslsigncode "$@"\n' \
  "$work" "$work" "$STOCK_OSSLSIGNCODE" >"$work/bin/osslsigncode" && chmod +x "$work/bin/osslsigncode"
hostile_settings "$settings" "$work/hostile-settings.cmake"
while IFS='|' read -r what reason case_env vendor; do
  rm -rf "${work:?}/failing/$name" "$work/signings"
  unpack_built "$setup" "$work/failing"
  cp "$setup" "$work/failing/$name-setup.exe" && touch "$work/failing/$name.zip" # an earlier build's
  env TIRVEX_SIGN_PFX="$work/cert.pfx" TIRVEX_SIGN_PASSWORD=throwaway PATH="$work/bin:$PATH" $case_env \
    cmake -DSTAGING="$work/failing/$name" -DVERSION="$version" -DSETTINGS="${vendor:-$settings}" \
    -P "$(dirname "$0")/../../packaging/windows/make-packages.cmake" >"$work/failing.log" 2>&1 &&
    { cat "$work/failing.log"; fail "$what: the packaging succeeded"; }
  grep -q -- "$reason" "$work/failing.log" || { cat "$work/failing.log"; fail "$what: the log does not say '$reason'"; }
  ! grep -q 'signed with' "$work/failing.log" && [ ! -e "$work/failing/$name-setup.exe" ] &&
    [ ! -e "$work/failing/$name.zip" ] || fail "$what: a download was left, or the log says that they are signed"
  echo "$what: the packaging failed ($reason) and left no download"
done <<EOF
a wrong password|tirvex.exe (Tirvex) not signed: .*Wrong password|TIRVEX_SIGN_PASSWORD=wrong
a signer that fails at the uninstaller|(Tirvex uninstall) not signed: .*does not answer|FAIL_AT=2
a signer that fails at the installer|$name-setup.exe (Tirvex setup) not signed: .*does not answer|FAIL_AT=3
a signer that fails at the uninstaller, the homepage holding & ; and \`|(Tirvex uninstall) not signed: .*does not answer|FAIL_AT=2|$work/hostile-settings.cmake
a signer that fails at the installer, the homepage holding & ; and \`|(Tirvex setup) not signed: .*does not answer|FAIL_AT=3|$work/hostile-settings.cmake
an installer time stamp that cannot be written|makensis failed|TIRVEX_SIGN_PFX= SOURCE_DATE_EPOCH=-1
EOF
echo "PASS: signed and verified, or failed with the reason and left no download"
