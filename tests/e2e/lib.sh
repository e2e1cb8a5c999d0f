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

# Starts the program in the background. PROGRAM_PID is the program itself, so its windows
# can be found by it; a watcher beside it writes the exit status to a file, which any
# subshell can read (only the shell that started a process could wait for it).
start_program() {
  local dir
  dir=$(mktemp -d)
  PROGRAM_STATUS_FILE=$dir/status
  (
    "$@" >"${PROGRAM_LOG:-/tmp/tirvex-e2e.$$.log}" 2>&1 &
    echo $! >"$dir/pid.new" && mv "$dir/pid.new" "$dir/pid"
    wait $!
    echo $? >"$dir/status.new" && mv "$dir/status.new" "$dir/status"
  ) &
  PROGRAM_WATCHER=$!
  for _ in $(seq 1 100); do
    [ -s "$dir/pid" ] && break
    sleep 0.05
  done
  [ -s "$dir/pid" ] || fail "the program did not start"
  PROGRAM_PID=$(cat "$dir/pid")
}

# Prints the id of the first visible window of the program whose name matches, waiting up
# to 10 s. (xdotool's search matches any one condition unless told --all.)
wait_for_window() {
  local name=$1 id
  for _ in $(seq 1 100); do
    id=$(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "$name" 2>/dev/null |
      head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named '$name' appeared"
}

# Waits until no visible window of the program matches the name.
wait_for_no_window() {
  local name=$1
  for _ in $(seq 1 100); do
    xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "$name" >/dev/null 2>&1 ||
      return 0
    sleep 0.1
  done
  fail "window '$name' is still open"
}

# Waits for the program to exit and prints its exit status.
wait_for_exit() {
  for _ in $(seq 1 100); do
    if [ -s "$PROGRAM_STATUS_FILE" ]; then
      cat "$PROGRAM_STATUS_FILE"; return 0
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
  wait "$PROGRAM_WATCHER" 2>/dev/null || true
}
