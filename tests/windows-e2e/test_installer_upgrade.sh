#!/usr/bin/env bash
# Installing over an installed Tirvex, for everyone (Wine gives every program administrator
# rights, with which a per-user uninstaller is never run): an older version whose file list
# differs (made here: a file more, in a folder of its own, and one fewer) is replaced, and
# none of its files stay; one uninstall entry throughout. That older installer over the
# newer version ends with status 5 and changes nothing. The uninstaller leaves nothing.
#   test_installer_upgrade.sh SETUP_EXE VERSION PACKAGE_SETTINGS
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
. "$(dirname "$0")/installer-lib.sh"
setup=$1 version=$2 settings=$3
old_version=${version%.*}.$((${version##*.} - 1))
work=$(mktemp -d)
trap 'forget_installs; rm -rf "$work"' EXIT
unpack_built "$setup" "$work"
built=$work/tirvex-$version-win64
old=$work/old/tirvex-$old_version-win64
forget_installs
installed=${dir[all]}
check_entry() {
  [ "$(entries)" = all ] && [ "$(entry all DisplayVersion)" = "$2" ] ||
    fail "$1: uninstall entries for '$(entries)', version '$(entry all DisplayVersion)', not one for $2"
}

mkdir "$work/old" && cp -a "$built" "$old"
mkdir "$old/docs/old"
echo "a file that only the old version had" >"$old/docs/old/notes.txt"
rm "$old/README.txt"
make_installer "$old" "$old_version" "$settings"
run_silently "$old-setup.exe" /S /AllUsers
[ "$STATUS" = 0 ] && [ -f "$installed/docs/old/notes.txt" ] || fail "the old version was not installed"
check_entry "the old version" "$old_version"

run_silently "$setup" /S /AllUsers
[ "$STATUS" = 0 ] || fail "the upgrade ended with status $STATUS"
diff <(cd "$built" && { find . -type f; echo ./uninstall.exe; } | sort) <(cd "$installed" && find . -type f | sort) >&2 ||
  fail "after the upgrade the folder does not hold exactly the new version's files"
check_entry "after the upgrade" "$version"
echo "$old_version to $version: the old files removed, the new ones in place, one entry"

before=$(contents "$installed")
run_silently "$old-setup.exe" /S /AllUsers
[ "$STATUS" = 5 ] || fail "the older installer over the newer version ended with status $STATUS, not 5"
[ "$(contents "$installed")" = "$before" ] || fail "the refused older installer changed the files"
check_entry "after the refused older installer" "$version"
echo "$old_version over $version: refused with status 5, nothing changed"

run_line "$(entry all QuietUninstallString)"
wait_for_wine
[ "$STATUS" = 0 ] && [ -z "$(left_in "$installed")" ] && [ ! -e "${shortcut[all]}" ] && [ -z "$(entries)" ] ||
  fail "the uninstall left the folder, the shortcut or the entry behind"
echo "PASS: upgraded in place, a downgrade refused, and removed without a trace"
