# Shared steps of the real-window tests of the Windows build: tirvex.exe under Wine on a
# private X server, driven with the same xdotool steps as the Linux tests (tests/e2e/lib.sh),
# which Wine's windows answer to as well: Wine names each X window after its Windows
# caption and gives it the Wine process's id. Source it.
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

WINE=${TIRVEX_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
[ -x "$WINE" ] || fail "no wine64 found (scripts/install-deps windows installs it)"
[ -n "${WINEPREFIX:-}" ] || fail "WINEPREFIX is not set; the build's tests set it"
export WINEDEBUG=${WINEDEBUG:--all}

# Copies the program and its marker into a folder on the Wine prefix's C: drive and prints
# the program's Windows path (C:\folder\tirvex.exe).
place_program() {
  local exe=$1 folder=$2
  local dir="$WINEPREFIX/drive_c/$folder"
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$exe" "$(dirname "$exe")/green.gif" "$dir/"
  printf 'C:\\%s\\tirvex.exe\n' "${folder//\//\\}"
}

# Prints the id of the first visible window of a Windows program, found by its WM_CLASS
# (Wine uses the executable's name), waiting up to 30 s: Wine's first start is slow.
wait_for_class() {
  local class=$1 id
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --classname "$class" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window of $class appeared"
}

# Waits until the Wine prefix has no process left, at most the given seconds.
wait_for_wine() {
  timeout "${1:-60}" "$(dirname "$WINE")/wineserver" -w || fail "Wine processes still running after ${1:-60} s"
}

# Starts a program under Wine with the given launcher command, passes its splash, closes its
# range entry window with Alt+F4 and waits for the launcher to end; EXIT_STATUS is its status.
#   start_and_close WINE_COMMAND...
start_and_close() {
  start_program "$@"
  local launcher=$PROGRAM_PID main
  PROGRAM_PID=$(xdotool getwindowpid "$(wait_for_class tirvex.exe)")
  pass_splash
  main=$(wait_for_window 'نرم افزار قرعه')
  key_to "$main" alt+F4
  PROGRAM_PID=$launcher
  wait_for_exit
}

# Sets Windows' display scaling in the test prefix, as dots per inch: 96 is 100 %, 120 is
# 125 %, 144 is 150 %, 192 is 200 %. Wine reads LogPixels under HKCU\Control Panel\Desktop
# first, where Windows' own setting lives, and each program as it starts, so the next one
# started sees it. The prefix is shared by every test: set 96 again before ending.
set_wine_dpi() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "could not set LogPixels to $1 in $WINEPREFIX"
}

# Puts Debian 12's own osslsigncode first on PATH; makes DIR/cert.pfx (password "throwaway")
# and DIR/cert.pem, a throw-away code-signing certificate:  use_test_signer DIR
use_test_signer() {
  STOCK_OSSLSIGNCODE=$("$(dirname "${BASH_SOURCE[0]}")/../../scripts/stock-osslsigncode") || fail "no Debian 12 osslsigncode"
  PATH=$STOCK_OSSLSIGNCODE:$PATH
  openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Tirvex test signer" \
    -addext extendedKeyUsage=codeSigning -keyout "$1/key.pem" -out "$1/cert.pem" 2>/dev/null
  openssl pkcs12 -export -inkey "$1/key.pem" -in "$1/cert.pem" -out "$1/cert.pfx" -passout pass:throwaway
}
