#!/usr/bin/env bash
# The installer as an office runs it unattended, for each scope: setup /S /CurrentUser puts
# the program into %LOCALAPPDATA%\Programs\Tirvex with a shortcut in the user's Start menu
# and an uninstall entry under HKCU; setup /S /AllUsers into Program Files, with the
# shortcut in every user's Start menu and the entry under HKLM; nothing for the other
# scope. The installed program starts and shows its splash; while it runs, the installer
# and the uninstaller end with status 4 and change nothing. The uninstaller then removes
# the files, the folder, the shortcut and the entry.
#   test_installer.sh SETUP_EXE VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
. "$(dirname "$0")/installer-lib.sh"
setup=$1 version=$2
[ -f "$setup" ] || fail "$setup does not exist: build the target windows-packages first"
PROGRAM_PID=""
trap 'close_program; forget_installs' EXIT
forget_installs

check_entry() {
  local value
  value=$(entry "$scope" "$1")
  [ "$value" = "$2" ] || fail "$scope: the uninstall entry's $1 is '$value', not '$2'"
}

# leaves_alone WHAT COMMAND...: the command ends with status 4 and changes no file.
leaves_alone() {
  local status=0
  "$WINE" "${@:2}" || status=$?
  [ "$status" = 4 ] || fail "$1 beside the running program ended with status $status, not 4"
  [ "$(contents "${dir[user]}")" = "$before" ] || fail "$1 changed the running program's files"
}

for scope in user all; do
  option=$([ "$scope" = user ] && echo /CurrentUser || echo /AllUsers)
  run_silently "$setup" /S "$option"
  [ "$STATUS" = 0 ] || fail "$scope: the installer ended with status $STATUS"
  for file in green.gif README.txt uninstall.exe; do
    [ -f "${dir[$scope]}/$file" ] || fail "$scope: $file is not in ${win_dir[$scope]} after the install"
  done
  python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' \
    "${setup%-setup.exe}.zip" "tirvex-$version-win64/tirvex.exe" | cmp -s "${dir[$scope]}/tirvex.exe" - ||
    fail "$scope: the installed tirvex.exe is not the one built"
  grep -qa 'tirvex.exe' "${shortcut[$scope]}" || fail "$scope: no Start-menu shortcut to tirvex.exe"
  [ "$(entries)" = "$scope" ] || fail "$scope: uninstall entries for '$(entries)'"
  check_entry DisplayName Tirvex
  check_entry DisplayVersion "$version"
  check_entry Publisher 'Tirvex developers'
  check_entry InstallLocation "${win_dir[$scope]}"
  check_entry DisplayIcon "${win_dir[$scope]}\\tirvex.exe,0"
  check_entry UninstallString "\"${win_dir[$scope]}\\uninstall.exe\""
  check_entry QuietUninstallString "\"${win_dir[$scope]}\\uninstall.exe\" /S"
  other=$([ "$scope" = user ] && echo all || echo user)
  [ ! -e "${dir[$other]}" ] && [ ! -e "${shortcut[$other]}" ] || fail "$scope: files written for $other"
  echo "$scope: installed, with the files, the shortcut and the uninstall entry in place"

  start_program "$WINE" "${win_dir[$scope]}\\tirvex.exe"
  wait_for_class tirvex.exe >/dev/null
  # While it runs (the check is the same for both scopes; this user's folder has no space
  # to quote in _?=): in place, the uninstaller is the process that works, and its status
  # is seen; no waiting for an idle prefix.
  if [ "$scope" = user ]; then
    before=$(contents "${dir[user]}")
    leaves_alone "the installer" "$setup" /S /CurrentUser
    leaves_alone "the uninstaller" "${win_dir[user]}\\uninstall.exe" /S "_?=${win_dir[user]}"
    echo "user: beside the running program the installer and the uninstaller ended with status 4, changing nothing"
  fi
  pass_splash
  key_to "$(wait_for_window 'نرم افزار قرعه')" alt+F4
  wait_for_exit
  [ "$EXIT_STATUS" = 0 ] || fail "$scope: the installed program exited with status $EXIT_STATUS"
  echo "$scope: the installed program started, showed its splash, and ended with status 0"

  run_silently "${win_dir[$scope]}\\uninstall.exe" /S
  [ ! -e "${dir[$scope]}" ] || fail "$scope: ${win_dir[$scope]} is still there: $(ls -A "${dir[$scope]}" | tr '\n' ' ')"
  [ ! -e "${shortcut[$scope]}" ] || fail "$scope: the Start-menu shortcut is still there"
  [ -z "$(entries)" ] || fail "$scope: the uninstall entry is still there"
  echo "$scope: removed silently"
done
echo "PASS: installed for this user and for everyone, started, left alone while running, removed"
