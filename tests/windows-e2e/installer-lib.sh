# Shared steps of the installer tests: where each scope puts Tirvex in the build's Wine
# prefix, its uninstall entries, and installers made of other folders and versions the way
# the build makes its own. Source it after lib.sh.
profile="C:\\users\\$(id -un)"
declare -A win_dir=([user]="$profile\\AppData\\Local\\Programs\\Tirvex" [all]='C:\Program Files\Tirvex')
declare -A dir=([user]="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Tirvex"
  [all]="$WINEPREFIX/drive_c/Program Files/Tirvex")
declare -A shortcut=(
  [user]="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tirvex.lnk"
  [all]="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tirvex.lnk")
declare -A key=([user]='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tirvex'
  [all]='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tirvex')

# One value of a scope's uninstall entry, or nothing:  entry SCOPE VALUE
entry() { "$WINE" reg query "${key[$1]}" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"; }

# The scopes that have an uninstall entry ("user", "user all", or nothing).
entries() {
  local scope found=()
  for scope in user all; do "$WINE" reg query "${key[$scope]}" >/dev/null 2>&1 && found+=("$scope"); done
  echo "${found[*]}"
}

# Every file of a folder with its checksum.
contents() { (cd "$1" && find . -type f -exec md5sum {} + | sort -k 2); }

# Runs a Windows program, sets STATUS to its exit status and waits until the prefix is
# idle (an uninstaller copies itself away and returns at once).
run_silently() { STATUS=0; "$WINE" "$@" || STATUS=$?; wait_for_wine; }

# Runs one command line through cmd.exe, as a deployment tool runs an uninstall entry's
# QuietUninstallString (quoted as written there), and sets STATUS to its exit status.
run_line() {
  printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$1" >"$WINEPREFIX/drive_c/tirvex-line.bat"
  STATUS=0
  "$WINE" cmd /c 'C:\tirvex-line.bat' || STATUS=$?
  rm -f "$WINEPREFIX/drive_c/tirvex-line.bat"
}

# The files left in a folder; Windows lets an uninstaller run in place move its own file
# away, Wine refuses to (sharing violation), so there uninstall.exe alone may stay.
left_in() { [ ! -e "$1" ] || (cd "$1" && find . -mindepth 1 ! -path ./uninstall.exe | sort); }

# The program folder the build packed, unpacked from its zip as DIR/<name>:
#   unpack_built SETUP_EXE DIR
unpack_built() {
  python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "${1%-setup.exe}.zip" "$2"
}

# Packs a folder into <folder>-setup.exe and <folder>.zip beside it, as the build does:
#   make_installer STAGING VERSION SETTINGS
make_installer() {
  cmake -DSTAGING="$1" -DVERSION="$2" -DSETTINGS="$3" \
    -P "$(dirname "${BASH_SOURCE[0]}")/../../packaging/windows/make-packages.cmake" >"$1.log" 2>&1 ||
    { cat "$1.log"; fail "no installer made of $1"; }
}

# Removes what an install of either scope left, so that a test that failed half-way
# leaves the next one a clean prefix.
forget_installs() {
  local scope
  for scope in user all; do
    rm -rf "${dir[$scope]}" "${shortcut[$scope]}"
    "$WINE" reg delete "${key[$scope]}" /f >/dev/null 2>&1 || true
  done
}

# The package settings of the build with the hostile test vendor's file in place of the
# build's own:  hostile_settings SETTINGS OUT
hostile_vendor=$(cd "$(dirname "${BASH_SOURCE[0]}")/../packaging/hostile-vendor" && pwd)/vendor.cmake
hostile_settings() {
  { printf 'set(TIRVEX_VENDOR_FILE [==[%s]==])\n' "$hostile_vendor"; grep -v '^set(TIRVEX_VENDOR_FILE' "$1"; } >"$2"
}
