#!/usr/bin/env bash
# The installer as an office runs it unattended, for each scope: setup /S /CurrentUser puts
# the program into %LOCALAPPDATA%\Programs\Tirvex with a shortcut in the user's Start menu
# and an uninstall entry under HKCU; setup /S /AllUsers into Program Files, with the
# shortcut in every user's Start menu and the entry under HKLM; nothing for the other
# scope. The installed program starts and shows its splash; while it runs, the installer
# and the uninstall entry's QuietUninstallString end with status 4 and change nothing, beside
# an unwritable one with 9. Wine runs every program with administrator rights: over a per-user
# install the installer ends with 10, as it never runs a per-user uninstaller with them. A
# copy's uninstaller leaves the install's entry and shortcut. The QuietUninstallString, run
# as deployment tools run it, returns once the files, the folder, the shortcut and the entry
# are gone, with status 0; with a file it cannot remove, with 11, keeping the entry. Over the
# other scope's install it stops with 12 unless /RemoveOther or /KeepOther says what to do.
#   test_installer.sh SETUP_EXE VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
. "$(dirname "$0")/installer-lib.sh"
setup=$1 version=$2
[ -f "$setup" ] || fail "$setup does not exist: build the target windows-packages first"
PROGRAM_PID=""
copy=$WINEPREFIX/drive_c/TirvexCopy
trap 'close_program; chattr -i "${dir[all]}/tirvex.exe" 2>/dev/null || true; rm -rf "$copy"; forget_installs' EXIT
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

# leaves_alone STATUS WHY WHAT...: each of the installer of this scope (installer) and the
# uninstall entry's QuietUninstallString (uninstaller) ends with STATUS and changes no file.
leaves_alone() {
  local before what status=$1 why=$2
  shift 2
  before=$(contents "${dir[$scope]}")
  for what in "$@"; do
    if [ $what = installer ]; then STATUS=0; "$WINE" "$setup" /S "$option" || STATUS=$?
    else run_line "$(entry "$scope" QuietUninstallString)"; fi
    [ "$STATUS" = "$status" ] || fail "$scope: the $what beside $why ended with status $STATUS, not $status"
    [ "$(contents "${dir[$scope]}")" = "$before" ] && [ "$(entries)" = "$scope" ] ||
      fail "$scope: the $what changed the files or the entries beside $why"
  done
  echo "$scope: beside $why the $* ended with status $status, changing nothing"
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
  check_entry QuietUninstallString "\"${win_dir[$scope]}\\uninstall.exe\" /S _?=${win_dir[$scope]}"
  other=$([ "$scope" = user ] && echo all || echo user)
  [ ! -e "${dir[$other]}" ] && [ ! -e "${shortcut[$other]}" ] || fail "$scope: files written for $other"
  echo "$scope: installed, with the files, the shortcut and the uninstall entry in place"
  # Wine keeps an access list as Unix permissions: users' read and run are the group's, and
  # Everyone has no entry, where a folder made plainly gives others read and run (755).
  [ "$scope" = user ] || [ "$(stat -c %a "${dir[all]}")" = 750 ] ||
    fail "all: ${win_dir[all]} was made with permissions $(stat -c %a "${dir[all]}"), not its own access list (750)"

  start_program "$WINE" "${win_dir[$scope]}\\tirvex.exe"
  wait_for_class tirvex.exe >/dev/null
  # The checks are the same for both scopes.
  [ "$scope" = all ] && leaves_alone 4 "the running program" installer uninstaller
  pass_splash
  key_to "$(wait_for_window 'نرم افزار قرعه')" alt+F4
  wait_for_exit
  [ "$EXIT_STATUS" = 0 ] || fail "$scope: the installed program exited with status $EXIT_STATUS"
  echo "$scope: the installed program started, showed its splash, and ended with status 0"
  # Windows refuses a read-only file; Wine, run as root, only one that Linux may not change.
  if [ "$scope" = all ]; then
    chattr +i "${dir[all]}/tirvex.exe" || fail "tirvex.exe cannot be made unwritable here"
    leaves_alone 9 "an unwritable tirvex.exe" installer uninstaller
    chattr -i "${dir[all]}/tirvex.exe"
  else
    leaves_alone 10 "a per-user install, with administrator rights" installer
  fi

  cp -a "${dir[$scope]}" "$copy"
  run_silently 'C:\TirvexCopy\uninstall.exe' /S
  [ "$STATUS" = 0 ] && [ ! -e "$copy" ] && [ "$(entries)" = "$scope" ] && [ -e "${shortcut[$scope]}" ] ||
    fail "$scope: the copy's uninstaller ended with status $STATUS, left the copy or took the entry or shortcut"
  echo "$scope: a copy's uninstaller removed the copy and left the install's entry and shortcut"

  if [ "$scope" = all ]; then
    # A program holding README.txt open, sharing no deletion, as an editor or a virus scanner
    # might (Wine ignores a failed unlink of an immutable file, but keeps Windows' sharing).
    printf '%s\n' 'Unicode true' 'Target amd64-unicode' 'OutFile holder.exe' 'SilentInstall silent' \
      'RequestExecutionLevel user' 'Section' 'FileOpen $0 "$EXEDIR\README.txt" r' 'Sleep 10000' 'SectionEnd' |
      (cd "${dir[all]}" && makensis -V1 - >/dev/null)
    "$WINE" "${win_dir[all]}\\holder.exe" & holder=$!
    sleep 3
    run_line "$(entry all QuietUninstallString)"
    wait "$holder" || true
    rm "${dir[all]}/holder.exe"
    [ "$STATUS" = 11 ] && [ "$(entries)" = all ] && [ -e "${dir[all]}/uninstall.exe" ] ||
      fail "all: with README.txt held, the uninstall ended with status $STATUS, entries '$(entries)'"
    echo "all: a file the uninstaller cannot remove: status 11, the entry and the uninstaller kept"
  fi
  run_line "$(entry "$scope" QuietUninstallString)"
  [ "$STATUS" = 0 ] && [ -z "$(left_in "${dir[$scope]}")" ] ||
    fail "$scope: the QuietUninstallString returned $STATUS, leaving $(left_in "${dir[$scope]}" | tr '\n' ' ')"
  wait_for_wine
  rm -rf "${dir[$scope]}"
  [ ! -e "${shortcut[$scope]}" ] || fail "$scope: the Start-menu shortcut is still there"
  [ -z "$(entries)" ] || fail "$scope: the uninstall entry is still there"
  echo "$scope: removed silently"
done

# Tirvex for the other scope: silent, the installer stops with 12 unless told; /KeepOther
# keeps both; /RemoveOther removes one for everyone first, and refuses (10) to run a
# per-user one's uninstaller with administrator rights, which Wine always gives.
while IFS='|' read -r first then status after; do
  forget_installs
  run_silently "$setup" /S "$first"
  run_silently "$setup" /S $then
  [ "$STATUS" = "$status" ] && [ "$(entries)" = "$after" ] ||
    fail "over $first, setup /S $then ended with $STATUS, entries '$(entries)', not $status, '$after'"
  for scope in user all; do
    [[ " $after " = *" $scope "* ]] || [ ! -e "${dir[$scope]}/tirvex.exe" ] || fail "$scope: files left by /S $then"
  done
  echo "over $first, setup /S $then: status $status, installed for '$after'"
done <<'TABLE'
/CurrentUser|/AllUsers|12|user
/CurrentUser|/AllUsers /RemoveOther|10|user
/CurrentUser|/AllUsers /KeepOther|0|user all
/AllUsers|/CurrentUser|12|all
/AllUsers|/CurrentUser /RemoveOther|0|user
TABLE
echo "PASS: installed for this user and for everyone, started, left alone while running, removed, beside the other scope only when told"
