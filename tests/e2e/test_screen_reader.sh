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
def find(root, test):
    return pyatspi.findAllDescendants(root, test)
def program():
    for _ in range(100):
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "tirvex"]
        if apps and apps[0].childCount:
            return apps[0]
        time.sleep(0.1)
    sys.exit("tirvex is not on the accessibility bus")
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, not {want!r}")

app = program()
check("bound fields", sorted(t.name for t in find(app, lambda o: o.getRole() == pyatspi.ROLE_TEXT)), ["از", "تا"])
start = find(app, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON and "قرعه" in o.name)
check("the start caption's key", start and start[0].queryAction().getKeyBinding(0), "F5")

heard = []
def listen(event):  # Qt gives the changed object, not its new name, as the event's data
    if event.source.getRole() == pyatspi.ROLE_FRAME and "عدد" in event.source.name \
            and event.source.getState().contains(pyatspi.STATE_ACTIVE):
        heard.append(event.source.name)
pyatspi.Registry.registerEventListener(listen, "object:property-change:accessible-name")
subprocess.run(["xdotool", "windowactivate", "--sync", main, "key", "F5"], check=True)
def digits():
    return find(app, lambda o: o.getRole() == pyatspi.ROLE_LABEL and o.description.startswith("رقم"))
for _ in range(50):
    if len(digits()) == 6:
        break
    time.sleep(0.1)
order = [d.description for d in digits()]
check("digits in reading order", order, [f"رقم {chr(0x6F0 + k)} از ۶" for k in range(1, 7)])
xs = [d.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x for d in digits()]
check("digits from left to right", xs, sorted(xs))
subprocess.run(["xdotool", "key", "Next"], check=True)
def done():
    if re.search(r"^tirvex: drawn \d{6}$", open(log).read(), re.M):
        GLib.timeout_add(1000, pyatspi.Registry.stop)
        return False
    return True
GLib.timeout_add(100, done)
GLib.timeout_add_seconds(40, pyatspi.Registry.stop)
pyatspi.Registry.start()
number = re.findall(r"^tirvex: drawn (\d{6})$", open(log).read(), re.M)
check("digits read", "".join(d.name for d in digits()), number[0] if number else None)
check("announced", heard, ["عدد برنده: " + "".join(chr(0x6F0 + int(c)) for c in number[0])])
print("read in order and announced:", heard[0])
PY
echo "PASS"
