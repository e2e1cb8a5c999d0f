#!/usr/bin/env bash
# A window "centred on the screen" is centred as the user sees it, frame included: under
# openbox, which gives the range entry window and the about window a title bar, the
# centre of each one's outer rectangle lies within a pixel of the screen's centre, from
# the moment the window appears.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
under_x "$0" "$@"
program=$1

# The outer rectangle's centre, doubled so it stays a whole number: "2cx 2cy".
outer_centre_doubled() {
  local id=$1 x y w h left=0 right=0 top=0 bottom=0 extents
  read -r x y w h <<<"$(xwininfo -id "$id" | awk -F: '
    /Absolute upper-left X/ {x=$2} /Absolute upper-left Y/ {y=$2}
    /^ *Width/ {w=$2} /^ *Height/ {h=$2} END {print x, y, w, h}')"
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
  [ -n "$extents" ] || fail "window $id has no frame extents: is a window manager running?"
  IFS=, read -r left right top bottom <<<"$extents"
  [ "$top" -gt 0 ] || fail "window $id has no title bar"
  echo "$((2 * (x - left) + w + left + right)) $((2 * (y - top) + h + top + bottom))"
}

check_centred() {
  local name=$1 id=$2 cx cy sw sh
  read -r sw sh <<<"$(xwininfo -root | awk -F: '/^ *Width/ {w=$2} /^ *Height/ {h=$2} END {print w, h}')"
  read -r cx cy <<<"$(outer_centre_doubled "$id")"
  # Doubled, so "within a pixel" is within 2.
  [ $(( (cx - sw) < 0 ? sw - cx : cx - sw )) -le 2 ] &&
    [ $(( (cy - sh) < 0 ? sh - cy : cy - sh )) -le 2 ] ||
    fail "the $name window's outer centre is ($cx/2, $cy/2), the screen's ($sw/2, $sh/2)"
}

start_program "$program"
trap close_program EXIT
pass_splash
main=$(wait_for_window 'نرم افزار قرعه')
check_centred "range entry" "$main"
settle 1
# Still there once everything has settled: the window did not move after it appeared.
check_centred "range entry" "$main"

about=$(open_about "$main")
settle 1
check_centred about "$about"
key_to "$about" Escape
wait_for_no_window 'درباره ما'
key_to "$main" alt+F4
wait_for_exit
echo "PASS: the range entry and about windows are centred with their frames"
