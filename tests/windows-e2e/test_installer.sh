#!/usr/bin/env bash
# The installer as an office runs it unattended, for each scope: setup /S /CurrentUser puts
# the program into %LOCALAPPDATA%\Programs\Tirvex with a shortcut in the user's Start menu
# and an uninstall entry under HKCU; setup /S /AllUsers into Program Files, with the
# shortcut in every user's Start menu and the entry under HKLM; nothing for the other
# scope. The installed program starts and shows its splash; while it runs, the installer
# and the uninstaller end with status 4 and change nothing, beside an unwritable one with 9.
# A copy's uninstaller leaves the install's entry and shortcut. The uninstaller then removes
# the files, the folder, the shortcut and the entry.
#   test_installer.sh SETUP_EXE VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
. "$(dirname "$0")/installer-lib.sh"
setup=$1 version=$2
[ -f "$setup" ] || fail "$setup does not exist: build the target windows-packages first"
PROGRAM_PID=""
copy=$WINEPREFIX/drive_c/TirvexCopy
trap 'close_program; chattr -i "${dir[user]}/tirvex.exe" 2>/dev/null || true; rm -rf "$copy"; forget_installs' EXIT
forget_installs

# Wine gives every program administrator rights, so the uninstaller never asks for them
# here; its script says what it would start: the uninstaller in the installed folder, never
# the running copy, which NSIS puts in the user's %TEMP%.
elevate=$(sed -e '/^@[A-Z_]*@$/d' -e 's/@[A-Z_]*@/0/g' "$(dirname "$0")/../../packaging/windows/installer.nsi.in" |
  makensis -INPUTCHARSET UTF8 -PPO - 2>/dev/null | sed -n '/^Function un\.Elevate$/,/^FunctionEnd/p')
grep -Fqx 'StrCpy $R1 "$INSTDIR\uninstall.exe"' <<<"$elevate" && ! grep -Fq '$EXEPATH' <<<"$elevate" ||
  fail "the uninstaller asks for administrator rights for another program than the one in its folder"

check_entry() {
  local value
  value=$(entry "$scope" "$1")
  [ "$value" = "$2" ] || fail "$scope: the uninstall entry's $1 is '$value', not '$2'"
}

# leaves_alone STATUS WHY: the installer and the uninstaller, run in place (the process
# that works, so that its status is seen; this user's folder has no space to quote in _?=),
# end with STATUS and change no file.
leaves_alone() {
  local before status what
  before=$(contents "${dir[user]}")
  for what in installer uninstaller; do
    status=0
    if [ $what = installer ]; then "$WINE" "$setup" /S /CurrentUser || status=$?
    else "$WINE" "${win_dir[user]}\\uninstall.exe" /S "_?=${win_dir[user]}" || status=$?; fi
    [ "$status" = "$1" ] || fail "the $what beside $2 ended with status $status, not $1"
    [ "$(contents "${dir[user]}")" = "$before" ] || fail "the $what changed the files beside $2"
  done
  echo "user: beside $2 the installer and the uninstaller ended with status $1, changing nothing"
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
  # The checks are the same for both scopes.
  [ "$scope" = user ] && leaves_alone 4 "the running program"
  pass_splash
  key_to "$(wait_for_window 'نرم افزار قرعه')" alt+F4
  wait_for_exit
  [ "$EXIT_STATUS" = 0 ] || fail "$scope: the installed program exited with status $EXIT_STATUS"
  echo "$scope: the installed program started, showed its splash, and ended with status 0"
  # Windows refuses a read-only file; Wine, run as root, only one that Linux may not change.
  if [ "$scope" = user ]; then
    chattr +i "${dir[user]}/tirvex.exe" || fail "tirvex.exe cannot be made unwritable here"
    leaves_alone 9 "an unwritable tirvex.exe"
    chattr -i "${dir[user]}/tirvex.exe"
  fi

  cp -a "${dir[$scope]}" "$copy"
  run_silently 'C:\TirvexCopy\uninstall.exe' /S
  [ "$STATUS" = 0 ] && [ ! -e "$copy" ] && [ "$(entries)" = "$scope" ] && [ -e "${shortcut[$scope]}" ] ||
    fail "$scope: the copy's uninstaller ended with status $STATUS, left the copy or took the entry or shortcut"
  echo "$scope: a copy's uninstaller removed the copy and left the install's entry and shortcut"

  run_silently "${win_dir[$scope]}\\uninstall.exe" /S
  [ ! -e "${dir[$scope]}" ] || fail "$scope: ${win_dir[$scope]} is still there: $(ls -A "${dir[$scope]}" | tr '\n' ' ')"
  [ ! -e "${shortcut[$scope]}" ] || fail "$scope: the Start-menu shortcut is still there"
  [ -z "$(entries)" ] || fail "$scope: the uninstall entry is still there"
  echo "$scope: removed silently"
done
echo "PASS: installed for this user and for everyone, started, left alone while running, removed"
