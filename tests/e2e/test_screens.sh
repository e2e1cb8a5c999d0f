#!/usr/bin/env bash
# The desktop of two monitors that the screen tests stand on: the monitors side by side in
# exactly the sizes asked for, and each change a test makes (another mode, an unplug, a
# plug back in) told alike to clients that probe the outputs and to those that do not, as
# Wine does, which would otherwise go on seeing a monitor that is gone, or none that came.
#   test_screens.sh [PROGRAM]   (the program is not started)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
if [ -z "${TIRVEX_SCREENS_TEST:-}" ]; then
  TIRVEX_SCREENS_TEST=1 DISPLAY= in_x --screens 1366x768,1093x614 "$0" "$@"
fi

# An output's place and size as "X Y W H", or "off", as a client that does not probe reads it.
unprobed() {
  xrandr --current | awk -v output="$1" '$1 == output {
    for (i = 3; i <= NF; i++) if ($2 == "connected" && split($i, g, /[x+]/) == 4) { print g[3], g[4], g[1], g[2]; exit }
    print "off" }'
}

# Each step, then where DUMMY0, DUMMY1 and DUMMY2 stand after it.
steps=("true                                   | 0 0 1366 768 | 1366 0 1093 614 | off"
       "unplug_screen DUMMY1                   | 0 0 1366 768 | off             | off"
       "set_screen_mode DUMMY1 1280x720 1366 0 | 0 0 1366 768 | 1366 0 1280 720 | off"
       "set_screen_mode DUMMY2 800x600 2646 0  | 0 0 1366 768 | 1366 0 1280 720 | 2646 0 800 600"
       "set_screen_mode DUMMY0 1093x614        | 0 0 1093 614 | 1366 0 1280 720 | 2646 0 800 600")
for row in "${steps[@]}"; do
  IFS='|' read -r step want0 want1 want2 <<<"$row"
  $step
  # Every unprobed state is read before screen_geometry, which probes, could mend it.
  seen=("$(unprobed DUMMY0)" "$(unprobed DUMMY1)" "$(unprobed DUMMY2)")
  wants=("$(echo $want0)" "$(echo $want1)" "$(echo $want2)")
  for i in 0 1 2; do
    [ "${seen[i]}" = "${wants[i]}" ] ||
      fail "after '$(echo $step)', DUMMY$i is '${seen[i]}' unprobed, not '${wants[i]}'"
    [ "${wants[i]}" = off ] || [ "$(screen_geometry "DUMMY$i")" = "${wants[i]}" ] ||
      fail "after '$(echo $step)', screen_geometry DUMMY$i is '$(screen_geometry "DUMMY$i")', not '${wants[i]}'"
  done
done
echo "PASS: two monitors side by side; unplugged, plugged in, a third added, switched to other modes"
