# Shared steps of the real-window tests and the screenshot walk: start the built program
# on the current X display, find its windows, click and type with xdotool, take pictures.
# Source it; every function fails loudly with a message naming what it waited for.

fail() { echo "FAIL: $*" >&2; exit 1; }

# A test started without a display runs itself again inside a private X server:
#   under_x "$0" "$@"   (at the top of a test, after sourcing this file)
under_x() {
  [ -n "${DISPLAY:-}" ] || in_x "$@"
}

# Runs a test script inside a private X server and ends with its status:
#   in_x [--size WxH | --screens WxH,WxH...] SCRIPT [ARG ...]
# Only a server or window manager that did not start (with-x's status 75: the program
# never ran) earns a second try. It is said on stderr and, when TIRVEX_FIRST_TRY_LOG names
# a file, noted there, so that the whole run can list it at its end.
in_x() {
  local with_x options=() status=0 name
  with_x="$(dirname "${BASH_SOURCE[0]}")/../../scripts/with-x"
  case ${1:-} in --size | --screens) options=("$1" "$2"); shift 2 ;; esac
  "$with_x" "${options[@]}" bash "$@" || status=$?
  if [ "$status" = 75 ]; then
    name="e2e_$(basename "$1" .sh)"
    echo "$name: second try, because the X server or the window manager did not start" >&2
    [ -z "${TIRVEX_FIRST_TRY_LOG:-}" ] ||
      echo "$name (the X server or the window manager did not start; tried again)" >>"$TIRVEX_FIRST_TRY_LOG"
    status=0
    "$with_x" "${options[@]}" bash "$@" || status=$?
  fi
  exit "$status"
}

start_program() {
  "$@" >"${PROGRAM_LOG:-/tmp/tirvex-e2e.$$.log}" 2>&1 &
  PROGRAM_PID=$!
}

# Prints the id of the first visible window whose name matches, waiting up to 10 s.
wait_for_window() {
  local name=$1 id
  for _ in $(seq 1 100); do
    id=$(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "$name" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named '$name' appeared"
}

# Waits until no visible window of the program matches the name.
wait_for_no_window() {
  local name=$1
  for _ in $(seq 1 100); do
    xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "$name" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window '$name' is still open"
}

# Waits up to 10 s for the program to exit and sets EXIT_STATUS. Call it directly, not in
# $(...): only the shell that started the program can collect its status.
wait_for_exit() {
  for _ in $(seq 1 100); do
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
      EXIT_STATUS=0
      wait "$PROGRAM_PID" || EXIT_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  describe_program >&2
  fail "the program did not exit"
}

# What a hung program still shows, for a failure that must be understood from its log
# alone: its state, its windows and which window is active, and what it printed.
describe_program() {
  local id
  echo "program $PROGRAM_PID: $(grep -E '^State' "/proc/$PROGRAM_PID/status" 2>/dev/null)"
  for id in $(xdotool search --all --pid "$PROGRAM_PID" 2>/dev/null); do
    echo "  window $id: $(xwininfo -id "$id" 2>/dev/null | grep -E 'Map State' | tr -s ' ')" \
      "$(window_geometry "$id" 2>/dev/null)"
  done
  echo "  active: $(xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | sed 's/.*# //')"
  # A key the window manager never turned into a close looks like a hung program.
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
    echo "  window manager: running" || echo "  window manager: gone"
  # Where each thread waits tells a hang in the event loop from one on the way out.
  for id in /proc/"$PROGRAM_PID"/task/*; do
    [ -d "$id" ] || continue
    echo "  thread $(basename "$id") $(cat "$id/comm" 2>/dev/null):" \
      "$(awk '{print $3}' "$id/stat" 2>/dev/null) in $(cat "$id/wchan" 2>/dev/null)"
  done
  [ ! -f "${PROGRAM_LOG:-}" ] || sed 's/^/  log: /' "$PROGRAM_LOG"
}

# Window geometry as "X Y W H".
window_geometry() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/{printf "%s ", $2}'
}

# Clicks at a point given in pixels relative to a window's top-left corner.
click_in() {
  local id=$1 x=$2 y=$3
  xdotool mousemove --window "$id" "$x" "$y" click 1
}

settle() { sleep "${1:-0.5}"; }

shot() { import -window root "$1"; }

close_program() {
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
}

# The program opens with the splash window; types a space on it, which moves on to the
# range entry window. The window manager may still be settling in just after the X server
# started, so a refused activation is tried again.
pass_splash() {
  local id=""
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || fail "the splash window did not appear"
  for _ in $(seq 1 50); do
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 && { send_keys space; return 0; }
    sleep 0.1
  done
  fail "the splash window could not be made active"
}

# Waits for a line on the program's stderr (PROGRAM_LOG) that matches an extended
# regular expression, checking every 0.1 s up to the given number of tries.
wait_for_line() {
  local pattern=$1 tries=${2:-50}
  for _ in $(seq 1 "$tries"); do
    grep -qE "$pattern" "$PROGRAM_LOG" && return 0
    sleep 0.1
  done
  cat "$PROGRAM_LOG" >&2
  fail "no line matching '$pattern' on stderr"
}

# From the range entry window (its id in $1), clicks the start caption and prints the id
# of the stage that opens. The caption lies under the menu bar, whose height is what the
# window has beyond its 300-pixel client area. On a scaled screen every length is that many
# screen pixels: SCREEN_SCALE (Windows' scaling, under Wine), else QT_SCALE_FACTOR.
open_stage() {
  local main=$1 geometry at
  geometry=($(window_geometry "$main"))
  at=$(awk -v h="${geometry[3]}" -v f="${SCREEN_SCALE:-${QT_SCALE_FACTOR:-1}}" \
    'BEGIN { printf "%d %d", 220 * f, h - 300 * f + 222 * f }')
  click_in "$main" ${at% *} ${at#* }
  wait_for_stage "$main"
}

# Prints the id of the stage opened from the range entry window (its id in $1).
wait_for_stage() {
  local stage
  for _ in $(seq 1 50); do
    stage=$(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name 'نرم افزار قرعه' |
            grep -vx "$1" | head -n 1) || true
    [ -n "$stage" ] && { echo "$stage"; return 0; }
    sleep 0.1
  done
  fail "the stage did not open"
}

# Types keys into the active window. Keys that were never sent would pass for a program
# that ignored them, so a failure to send them fails the test here.
send_keys() {
  xdotool key "$@" || fail "xdotool could not send the keys $*"
}

# Makes a window the active one and types into it; the window manager may still be
# settling in just after the X server started, so a refusal is tried again.
key_to() {
  local id=$1; shift
  for _ in $(seq 1 50); do
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 && { send_keys "$@"; return 0; }
    sleep 0.1
  done
  fail "window $id could not be made active"
}

# Chooses the range entry window's one menu entry, "ارتباط با ما", and prints the id of
# the about window. The entry stands at the start of the bar: the left end when the bar
# runs left to right, the right end when it runs right to left.
open_about() {
  local main=$1 width about="" x
  read -r _ _ width _ <<<"$(window_geometry "$main")"
  for x in 30 $((width - 30)); do
    click_in "$main" "$x" 10
    for _ in $(seq 1 20); do
      about=$(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name 'درباره ما' 2>/dev/null |
        head -n 1 || true)
      [ -n "$about" ] && { echo "$about"; return 0; }
      sleep 0.1
    done
  done
  fail "the menu entry did not open the about window"
}

# A picture of one window with its frame, as the user sees it on the screen. xwininfo
# gives the client area's true place on the screen; the frame extents add the border.
shot_window() {
  local id=$1 file=$2 x y w h left=0 right=0 top=0 bottom=0 extents
  read -r x y w h <<<"$(xwininfo -id "$id" | awk -F: '
    /Absolute upper-left X/ {x=$2} /Absolute upper-left Y/ {y=$2}
    /^ *Width/ {w=$2} /^ *Height/ {h=$2} END {print x, y, w, h}')"
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
  [ -n "$extents" ] && IFS=, read -r left right top bottom <<<"$extents"
  import -window root -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" +repage "$file"
}

# Waits until the window with the given id is no longer shown.
wait_for_no_window_id() {
  for _ in $(seq 1 50); do
    xdotool search --all --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  fail "window $1 is still open"
}

# Checks the stage's last traced layout (the program runs with TIRVEX_TRACE=1): the stage
# is the size given ("800x600", in the screen's pixels), every control lies on it, and the
# two buttons and the six digit positions stand apart. Prints the return button's centre,
# "X Y" in the stage's pixels, for a click.
check_whole_stage() {
  local line
  line=$(grep -E '^tirvex: stage ' "$PROGRAM_LOG" | tail -n 1)
  [ -n "$line" ] || fail "the stage traced no layout"
  /usr/bin/python3 - "$1" "$line" <<'PY' || fail "the stage does not show whole: $line"
import sys
size, words = sys.argv[1], sys.argv[2].split()[1:]
width, height = map(int, size.split("x"))
shown = dict(zip(words[::2], words[1::2]))
if shown["stage"] != size:
    sys.exit(f"the stage is {shown['stage']}, the screen {size}")
rects = {name: tuple(map(int, shown[name].split(","))) for name in shown
         if name.startswith(("Command", "Label"))}
for name, (x, y, w, h) in rects.items():
    if x < 0 or y < 0 or x + w > width or y + h > height:
        sys.exit(f"{name} ({w}x{h} at {x},{y}) is not wholly on the screen")
apart = sorted(n for n in rects if n != "Label20")
for i, a in enumerate(apart):
    for b in apart[i + 1:]:
        (ax, ay, aw, ah), (bx, by, bw, bh) = rects[a], rects[b]
        if ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah:
            sys.exit(f"{a} and {b} overlap")
top = min(rects[f"Label{k}"][1] for k in range(1, 7))  # banner, start above; return below
if max(rects[n][1] + rects[n][3] for n in ("Label20", "Command1")) > top or \
        rects["Command2"][1] < top + rects["Label1"][3]:
    sys.exit("the buttons and the banner do not stand clear of the digits")
x, y, w, h = rects["Command2"]
print(x + w // 2, y + h // 2)
PY
}

# Waits up to 10 s until a window's geometry (as window_geometry prints it) is X Y W H.
wait_for_window_geometry() {
  local id=$1 want="$2 $3 $4 $5" now=""
  for _ in $(seq 1 100); do
    now=$(window_geometry "$id" 2>/dev/null) || true
    [ "${now% }" = "$want" ] && return 0
    sleep 0.1
  done
  fail "window $id is at '${now% }', not at '$want'"
}

# The monitors of a desktop started with scripts/with-x --screens are the outputs DUMMY0,
# DUMMY1, ... from the left. The program hears of a change through RandR events; wait for
# what it does about one (wait_for_window_geometry), not for a fixed time.

# Prints where an output lies on the desktop and its size as "X Y W H"; fails when it is off.
screen_geometry() {
  local geometry
  geometry=$(xrandr | awk -v output="$1" '$1 == output && $2 == "connected" {
    for (i = 3; i <= NF; i++) if (split($i, g, /[x+]/) == 4) { print g[3], g[4], g[1], g[2]; exit } }')
  [ -n "$geometry" ] || fail "the screen $1 is not on"
  echo "$geometry"
}

# Unplugs a monitor: its output goes off and the desktop shrinks to the remaining ones.
unplug_screen() {
  xrandr --output "$1" --off || fail "xrandr could not switch $1 off"
}

# The dummy driver reports an output connected once it has had a mode, but a client that
# asks without probing, as Wine does, gets the state of the last probe, which xrandr makes
# before a change: a monitor plugged in for the first time would stay unseen.
screens_probed() { xrandr >/dev/null; }

# Switches a monitor to another size, or plugs an unplugged one in again; X Y place it on
# the desktop, which otherwise keeps its place (0 0 for one that was off):
#   set_screen_mode DUMMY1 800x600 [X Y]
# A size the server does not know yet gets a made-up 60 Hz timing of exactly that size.
set_screen_mode() {
  local output=$1 size=$2 w=${2%x*} h=${2#*x} place=()
  [ $# -lt 4 ] || place=(--pos "${3}x$4")
  xrandr --output "$output" --mode "$size" "${place[@]}" 2>/dev/null && { screens_probed; return 0; }
  xrandr --addmode "$output" "$size" 2>/dev/null ||
    { xrandr --newmode "$size" $(awk -v w="$w" -v h="$h" 'BEGIN { printf "%.2f %d %d %d %d %d %d %d %d",
        (w + 200) * (h + 30) * 60 / 1e6, w, w + 64, w + 128, w + 200, h, h + 3, h + 8, h + 30 }') &&
      xrandr --addmode "$output" "$size"; } || fail "xrandr could not make the mode $size for $output"
  xrandr --output "$output" --mode "$size" "${place[@]}" || fail "xrandr could not set $output to $size"
  screens_probed
}
