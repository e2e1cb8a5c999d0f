# Shared steps of the real-window tests and the screenshot walk: start the built program
# on the current X display, find its windows, click and type with xdotool, take pictures.
# Source it; every function fails loudly with a message naming what it waited for.

fail() { echo "FAIL: $*" >&2; exit 1; }

# A test started without a display runs itself again inside a private X server:
#   under_x "$0" "$@"   (at the top of a test, after sourcing this file)
under_x() {
  if [ -z "${DISPLAY:-}" ]; then
    exec "$(dirname "${BASH_SOURCE[0]}")/../../scripts/with-x" bash "$@"
  fi
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
  fail "the program did not exit"
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
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 && { xdotool key space; return 0; }
    sleep 0.1
  done
  fail "the splash window could not be made active"
}
