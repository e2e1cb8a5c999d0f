#!/usr/bin/env bash
# Started where no window can be opened, the program says so in one line on stderr and
# ends with a non-zero status of its own, not with a signal or a core dump: with no
# display at all, with a display that does not exist, and with a platform that cannot be
# loaded. Needs no X server.
#   test_no_display.sh PROGRAM
set -euo pipefail
. "$(dirname "$0")/lib.sh"
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# description, then the environment the program starts with
check() {
  local what=$1; shift
  local status=0
  (cd "$work" && ulimit -c unlimited 2>/dev/null; exec env -u DISPLAY -u WAYLAND_DISPLAY \
     -u QT_QPA_PLATFORM "$@" timeout 30 "$program" >"$work/out" 2>"$work/err" </dev/null) ||
    status=$?
  [ "$status" != 124 ] || fail "$what: the program did not end within 30 s"
  [ "$status" != 0 ] || fail "$what: the program ended with status 0"
  [ "$status" -lt 124 ] || fail "$what: the program was ended by a signal (status $status)"
  [ -z "$(find "$work" -maxdepth 1 -name 'core*')" ] || fail "$what: a core dump was written"
  [ "$(wc -l <"$work/err")" = 1 ] || { cat "$work/err" >&2; fail "$what: not one line on stderr"; }
  grep -qE '^tirvex: .*(display|window)' "$work/err" || { cat "$work/err" >&2; fail "$what: unclear message"; }
  [ ! -s "$work/out" ] || fail "$what: something was written to stdout"
  echo "$what: status $status: $(cat "$work/err")"
}

check "no display at all"
check "a display that does not exist" DISPLAY=:99999
check "a display that does not exist, platform named" DISPLAY=:99999 QT_QPA_PLATFORM=xcb
check "a Wayland display and no X server" WAYLAND_DISPLAY=wayland-99999
check "a platform that cannot be loaded" QT_QPA_PLATFORM=nonesuch
echo "PASS"
