#!/usr/bin/env bash
# How tirvex.exe starts where Windows differs from a Linux desktop. A Windows session has
# no DISPLAY variable: the program started with DISPLAY removed from its Windows
# environment (Wine itself still reaches the X server through its own) opens its splash
# and its range entry window, and ends with status 0. A windowed program has no console:
# when the window system cannot be started, Qt says so in a message box, and the program
# ends with its own status 2 once it is acknowledged.
#   test_start.sh TIRVEX_EXE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
program=$(place_program "$1" TirvexStart)
trap close_program EXIT

# cmd's "set" changes only the Windows environment that the program inherits.
start_and_close "$WINE" cmd /c "set DISPLAY=&& set WAYLAND_DISPLAY=&& $program"
[ "$EXIT_STATUS" = 0 ] || fail "without DISPLAY: exit status $EXIT_STATUS"
echo "without DISPLAY: splash, range entry window, exit status 0"

WINEQT_QPA_PLATFORM=nonesuch start_program "$WINE" "$program"
box=$(wait_for_class tirvex.exe)
name=$(xdotool getwindowname "$box")
[ "${name,,}" = tirvex ] || fail "the first window is '$name', not the message box"
[ -n "${SHOT_DIR:-}" ] && { settle 1; shot_window "$box" "$SHOT_DIR/start-failure.png"; }
key_to "$box" Return
wait_for_exit
[ "$EXIT_STATUS" = 2 ] || fail "with a platform that cannot be loaded: exit status $EXIT_STATUS, not 2"
echo "a platform that cannot be loaded: a message box, then exit status 2"
echo "PASS"
