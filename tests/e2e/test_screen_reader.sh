#!/usr/bin/env bash
# What a screen reader finds, through AT-SPI on a private session bus: the bound fields
# named "از" and "تا", the start caption a button pressed by F5; on the stage the six
# digits read left to right, each with its position; and, when a draw ends, the stage's
# name changes once to the number drawn, which is what a screen reader speaks.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
[ -n "${TIRVEX_OWN_BUS:-}" ] || TIRVEX_OWN_BUS=1 exec timeout 150 dbus-run-session -- bash "$0" "$@"
PROGRAM_LOG=$(mktemp)
trap 'close_program; rm -f "$PROGRAM_LOG"' EXIT

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program env TIRVEX_TRACE=1 "$1"
pass_splash
main=$(wait_for_window 'نرم افزار قرعه')
timeout 90 /usr/bin/python3 - "$main" "$PROGRAM_LOG" <<'PY' || fail "what a screen reader finds is wrong"
import re, subprocess, sys, time
import pyatspi
from gi.repository import GLib
main, log = sys.argv[1:]
persian = lambda text: "".join(chr(0x6F0 + int(c)) for c in text)
def find(role, test, count=1):  # waits up to 5 s for that many of a role in the program
    for _ in range(50):
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "tirvex"]
        found = apps and pyatspi.findAllDescendants(apps[0], lambda o: o.getRole() == role and test(o))
        if found and len(found) >= count:
            return found
        time.sleep(0.1)
    sys.exit(f"no {count} of {role} found")
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, not {want!r}")

check("bound fields", sorted(t.name for t in find(pyatspi.ROLE_TEXT, bool, 2)), ["از", "تا"])
start = find(pyatspi.ROLE_PUSH_BUTTON, lambda o: o.name == "ورود به صفحه قرعه کشي")[0]
check("the start caption's key", start.queryAction().getKeyBinding(0), "F5")
heard = []
def listen(event):  # Qt gives the changed object, not its new name, as the event's data
    frame = event.source
    if frame.getRole() == pyatspi.ROLE_FRAME and frame.getState().contains(pyatspi.STATE_ACTIVE):
        heard.append(frame.name)
pyatspi.Registry.registerEventListener(listen, "object:property-change:accessible-name")
subprocess.run(["xdotool", "windowactivate", "--sync", main, "key", "F5"], check=True)
digits = lambda: find(pyatspi.ROLE_LABEL, lambda o: o.description.startswith("رقم"), 6)
check("digits read", [d.description for d in digits()], [f"رقم {persian(str(k))} از ۶" for k in range(1, 7)])
xs = [d.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x for d in digits()]
check("digits from left to right", xs, sorted(xs))
subprocess.run(["xdotool", "key", "Next"], check=True)
drawn = lambda: re.findall(r"^tirvex: drawn (\d{6})$", open(log).read(), re.M)
GLib.timeout_add(100, lambda: not (drawn() and GLib.timeout_add(1000, pyatspi.Registry.stop)))
GLib.timeout_add_seconds(40, pyatspi.Registry.stop)
pyatspi.Registry.start()
number = (drawn() or ["none"])[0]
check("digits' names", "".join(d.name for d in digits()), number)
check("announced", heard, ["عدد برنده: " + persian(number)])
PY
echo "PASS"
