#!/usr/bin/env bash
# tirvex.exe under Wine driven by the keys alone, as with a presentation clicker: the
# real-window test of the keys, run on the Windows program.
#   test_keys.sh TIRVEX_EXE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
exec bash "$(dirname "$0")/../e2e/test_clicker.sh" "$WINE" "$(place_program "$1" TirvexKeys)"
