#!/usr/bin/env bash
# Sets up the build's own Wine prefix once, under a private X server, so that no test
# pays for it and none writes into the user's ~/.wine.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
[ -f "$WINEPREFIX/.tirvex-ready" ] && exit 0
under_x "$0" "$@"
rm -rf "$WINEPREFIX"
"$WINE" wineboot -i
wait_for_wine 300
touch "$WINEPREFIX/.tirvex-ready"
echo "Wine prefix ready: $WINEPREFIX"
