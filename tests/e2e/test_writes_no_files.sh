#!/usr/bin/env bash
# The program writes no files. A whole use under strace on a private X server: the
# splash, the range entry window, a draw on the stage, the about window, then quitting.
# Every file operation that could leave something behind (an open for writing, a new
# folder, a removal, a rename, a link, a change of mode, owner or times) is listed, and
# any that the program makes fails the test. Only what the platform itself touches is
# left out, each named below with the reason.
#   test_writes_no_files.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
# As root, the first process to list fonts rewrites an out-of-date system font cache: done here,
# before X, its window manager and the traced program start, so none of them has it to do.
[ "$(id -u)" != 0 ] || fc-cache -s
under_x "$0" "$@"
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
command -v strace >/dev/null || fail "strace is not installed (scripts/install-deps installs it)"
caption='نرم افزار قرعه'
about_caption='درباره ما'

# Fresh, empty places for everything a desktop program may use, so that anything written
# there shows up, and nothing of the user's is read or touched. Two settings keep the
# platform from writing on the program's behalf, as an ordinary desktop session would:
#  - XDG_RUNTIME_DIR exists: without it Qt creates /tmp/runtime-<user> for itself. With
#    it, Qt still checks that the folder is there by trying to make it (mkdir fails with
#    EEXIST), which creates nothing.
#  - DBUS_SESSION_BUS_ADDRESS names a bus: without one, the D-Bus library that Qt's
#    accessibility and desktop theme use starts dbus-launch to make a session bus, which
#    records the new bus under ~/.dbus/session-bus/. A desktop always has its bus; here it
#    names a socket that does not exist, so nothing is started.
work=$(mktemp -d /tmp/tirvex-writes.XXXXXX)
mkdir -p "$work"/{home,cache,config,data,state,runtime,tmp,cwd}
chmod 700 "$work/runtime"
trace=$work/strace.log
PROGRAM_LOG=$work/stderr.log
trap 'close_program; kill "$tracer" 2>/dev/null || true; rm -rf "$work"' EXIT

# A sanitizer build's leak check cannot run under a tracer; the other tests run it.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"

cd "$work/cwd"
env HOME="$work/home" XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime" \
    TMPDIR="$work/tmp" DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus" TIRVEX_TRACE=1 \
    strace -f -ff -qq -o "$trace" -e trace=%file -e signal=none "$program" \
    >"$PROGRAM_LOG" 2>&1 &
tracer=$!
PROGRAM_PID=""
for _ in $(seq 1 100); do
  PROGRAM_PID=$(pgrep -P "$tracer" | head -n 1 || true)
  [ -n "$PROGRAM_PID" ] && break
  sleep 0.1
done
[ -n "$PROGRAM_PID" ] || fail "the program did not start under strace"

pass_splash
main=$(wait_for_window "$caption")
settle 1

# The start caption hands the default bounds to the stage; Space starts the draw.
stage=$(open_stage "$main")
wait_for_line '^tirvex: handed over 035000 084570$' 50
settle 1
xdotool windowactivate --sync "$stage" >/dev/null 2>&1 || true
xdotool key space
wait_for_line '^tirvex: drawn [0-9]{6}$' 400
click_in "$stage" 512 722
wait_for_no_window_id "$stage"
settle 1

# The menu entry opens the about window; Esc closes it.
about=$(open_about "$main")
settle 1
xdotool windowactivate --sync "$about" >/dev/null 2>&1 || true
xdotool key Escape
wait_for_no_window "$about_caption"
settle 0.5

xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool key alt+F4
status=""
for _ in $(seq 1 150); do
  if ! kill -0 "$tracer" 2>/dev/null; then
    status=0
    wait "$tracer" || status=$?
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || fail "the program did not exit"
[ "$status" = 0 ] || { cat "$PROGRAM_LOG" >&2; fail "the program exited with status $status"; }
grep -q 'error' "$PROGRAM_LOG" && { cat "$PROGRAM_LOG" >&2; fail "an error was reported"; }

# Every file operation of the program and of any process it started, one file per process.
calls=$(cat "$trace".* | wc -l)
[ "$calls" -gt 100 ] || fail "strace recorded only $calls file operations"
writes=$(cat "$trace".* | grep -E '^(open|openat|creat)\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND).*\) = [0-9]+' || true)
changes=$(cat "$trace".* | grep -E '^(mkdir|mkdirat|rmdir|unlink|unlinkat|rename|renameat2?|link|linkat|symlink|symlinkat|mknod|mknodat|truncate|chmod|fchmodat|chown|lchown|fchownat|utime|utimes|utimensat|futimesat)\(.*\) = 0$' || true)

# What the platform itself may touch, left out with the reason:
#  - the fontconfig cache under XDG_CACHE_HOME: fontconfig rebuilds its cache there when
#    the system's font cache is older than the fonts, for any program that lists fonts;
#  - fontconfig's system-wide cache (/var/cache/fontconfig), only fontconfig's own cache
#    files (<hash>-<arch>.cache-<n> and the .TMP-*, .NEW and .LCK steps of writing one):
#    as root, whichever process first lists the fonts rewrites a cache that fontconfig
#    finds out of date, and the X servers, window managers and programs of the suite race
#    for it however it was brought up to date before; the program never names the folder;
#  - /dev/null: a child process of a library sends its output there; it stores nothing.
fontconfig_cache='^/var/cache/fontconfig/+[0-9a-f]{32}-[a-z0-9_]+\.cache-[0-9]+(\.TMP-[A-Za-z0-9]+|\.NEW|\.LCK)?$'
platform_path() {
  case "$1" in
    "$work/cache/fontconfig"|"$work/cache/fontconfig/"*) return 0 ;;
    /dev/null) return 0 ;;
  esac
  [[ $1 =~ $fontconfig_cache ]]
}
found=0 excluded=0
while IFS= read -r line; do
  [ -n "$line" ] || continue
  path=$(sed -E 's/^[^"]*"([^"]*)".*/\1/' <<<"$line")
  if platform_path "$path"; then
    excluded=$((excluded + 1))
    echo "platform: $line"
  else
    found=$((found + 1))
    echo "PROGRAM WROTE: $line" >&2
  fi
done <<<"$writes"$'\n'"$changes"

# Belt and braces: the fresh folders are as empty as they were, the fontconfig cache aside.
left=$(find "$work"/{home,cache,config,data,state,runtime,tmp,cwd} -mindepth 1 \
  -not -path "$work/cache/fontconfig*" 2>/dev/null || true)
attempts=$(cat "$trace".* | grep -cE '^mkdir\(.*= -1 EEXIST' || true)
[ "$found" = 0 ] || fail "the program created or wrote $found files (listed above)"
[ -z "$left" ] || { echo "$left" >&2; fail "files were left in the fresh folders"; }
echo "PASS: $calls file operations over a whole use; the program created or wrote no file" \
  "($excluded platform operations left out; $attempts folder checks that created nothing)"
