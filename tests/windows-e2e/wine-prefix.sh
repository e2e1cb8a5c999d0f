#!/usr/bin/env bash
# Sets up the build's own Wine prefix once, under a private X server, so that no test
# pays for it and none writes into the user's ~/.wine. It reports Windows 10, the oldest
# Windows that Qt 6 and the installer accept (Debian's Wine makes new prefixes Windows 7).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
stamp="$WINEPREFIX/.tirvex-ready"
[ "$(cat "$stamp" 2>/dev/null)" = win10 ] && exit 0
under_x "$0" "$@"
rm -rf "$WINEPREFIX"
"$WINE" wineboot -i
"$WINE" winecfg -v win10
wait_for_wine 300
echo win10 >"$stamp"
echo "Wine prefix ready: $WINEPREFIX"
