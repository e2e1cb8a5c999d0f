#!/usr/bin/env bash
# The Debian package from end to end, as a user would meet it: build it with CPack, look
# inside it, install it on this machine, start the installed program under a private X
# server, close it, and remove the package again.
#   package_test.sh contents BUILD_DIR VERSION   builds the .deb and checks what it holds
#   package_test.sh install  BUILD_DIR VERSION   installs, starts and removes it (root or
#                                                passwordless sudo; skipped otherwise)
# Exit status 77 means skipped, with the reason on the last line.
set -euo pipefail
stage=$1
build=$(cd "$2" && pwd)
version=$3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
out=$build/package-test
arch=$(dpkg --print-architecture 2>/dev/null || echo unknown)
deb=$out/tirvex_${version}_${arch}.deb
lock=/tmp/tirvex-package-test.lock
# Set while the package on this machine is one this test installed, so that a run that
# died half-way can be cleaned up by the next one, and a package the user installed is
# never replaced.
marker=/var/tmp/tirvex-package-test.installed

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps installs it)"
  done
}

# The metainfo is named after the vendor's AppStream id, as the build read it.
appstream_id=$(python3 -c 'import sys; print(bytes.fromhex(sys.argv[1]).decode())' \
  "$(sed -n 's/^APPSTREAM_ID=//p' "$build/generated/vendor-values.txt")")
metainfo=/usr/share/metainfo/$appstream_id.metainfo.xml
# The files the package must hold, and patterns for the ones it may hold besides.
required=(
  ./usr/bin/tirvex
  ./usr/lib/tirvex/tirvex
  ./usr/lib/tirvex/green.gif
  ./usr/share/applications/tirvex.desktop
  ".$metainfo"
  ./usr/share/icons/hicolor/32x32/apps/tirvex.png
  ./usr/share/icons/hicolor/256x256/apps/tirvex.png
  ./usr/share/doc/tirvex/copyright
  ./usr/share/doc/tirvex/OFL.txt
  ./usr/share/doc/tirvex/guide.fa.html
  ./usr/share/doc/tirvex/screenshots/range-entry.png
)
allowed='^\./usr/share/(icons/hicolor/[0-9]+x[0-9]+/apps/tirvex|doc/tirvex/screenshots/[a-z-]+)\.png$'

contents() {
  need cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli file
  rm -rf "$out"
  mkdir -p "$out"
  cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; fail "cpack could not build the package"; }
  [ -f "$deb" ] || fail "no $deb; cpack wrote: $(cd "$out" && ls -- *.deb 2>/dev/null)"

  # The control record.
  field() { dpkg-deb -f "$deb" "$1"; }
  [ "$(field Package)" = tirvex ] || fail "package name is '$(field Package)'"
  [ "$(field Version)" = "$version" ] || fail "package version is '$(field Version)'"
  [ "$(field Architecture)" = "$arch" ] || fail "architecture is '$(field Architecture)'"
  local f
  for f in Maintainer Section Description Homepage; do
    [ -n "$(field $f)" ] || fail "the control record has no $f"
  done
  # Computed from the binary, so the libraries it links must all be named.
  local depends names lib
  depends=$(field Depends)
  names=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
  for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$lib" <<<"$names" || fail "Depends lacks $lib: $depends"
  done

  # The file list: everything required, nothing unexpected, all owned by root.
  local listing entry
  listing=$(dpkg-deb -c "$deb")
  names=$(awk '{print $6}' <<<"$listing")
  for entry in "${required[@]}"; do
    grep -qxF "$entry" <<<"$names" || fail "the package lacks $entry"
  done
  while read -r entry; do
    case $entry in */) continue ;; esac
    printf '%s\n' "${required[@]}" | grep -qxF "$entry" && continue
    grep -Eq "$allowed" <<<"$entry" || fail "the package holds an unexpected file $entry"
  done <<<"$names"
  awk '$2 != "root/root" {exit 1}' <<<"$listing" || fail "files not owned by root: $listing"

  # Unpacked, the tree must work as installed.
  local root=$out/root
  dpkg-deb -x "$deb" "$root"
  [ -L "$root/usr/bin/tirvex" ] || fail "usr/bin/tirvex is not a link"
  [ "$(readlink "$root/usr/bin/tirvex")" = ../lib/tirvex/tirvex ] ||
    fail "usr/bin/tirvex points to $(readlink "$root/usr/bin/tirvex"), not ../lib/tirvex/tirvex"
  [ -x "$root/usr/lib/tirvex/tirvex" ] || fail "the program is not executable"
  local kind
  kind=$(file -b "$root/usr/lib/tirvex/tirvex")
  [[ $kind == ELF*executable* && $kind == *", stripped"* ]] || fail "the program is $kind"
  kind=$(file -b "$root/usr/lib/tirvex/green.gif")
  [[ $kind == "GIF image data"* ]] || fail "green.gif is $kind"
  local icon size
  for icon in "$root"/usr/share/icons/hicolor/*/apps/tirvex.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    kind=$(file -b "$icon")
    [[ $kind == "PNG image data, ${size/x/ x },"* ]] || fail "the ${size} icon is $kind"
  done
  grep -q '^License: OFL-1.1$' "$root/usr/share/doc/tirvex/copyright" ||
    fail "the copyright file does not carry the font licence"
  # What is compiled into the program is named too: our translation of Qt's texts, and
  # the Qt it links, with its licence.
  for named in '^Files: resources/translations/qt_fa.ts$' 'GNU Lesser General Public License'; do
    grep -q "$named" "$root/usr/share/doc/tirvex/copyright" || fail "the copyright file does not name $named"
  done
  cmp -s "$root/usr/share/doc/tirvex/OFL.txt" "$source_dir/resources/fonts/OFL.txt" ||
    fail "OFL.txt differs from the bundled font's licence"

  # The desktop's own checks on the installed files, and on how they refer to each other.
  local report
  report=$(desktop-file-validate "$root/usr/share/applications/tirvex.desktop" 2>&1) &&
    [ -z "$report" ] || fail "desktop-file-validate: $report"
  appstreamcli validate --no-net "$root$metainfo" ||
    fail "appstreamcli rejects the metainfo"
  appstreamcli validate-tree --no-net "$root" || fail "appstreamcli rejects the installed tree"
  echo "package $(basename "$deb") holds:"
  awk '{print "  " $1, $6, $7, $8}' <<<"$listing" | grep -v '/$'
  echo "Depends: $depends"
}

# Runs inside scripts/with-x: starts the installed program from the PATH, waits for a
# window of it, and closes it as a user would.
run_installed() {
  . "$source_dir/tests/e2e/lib.sh"
  PROGRAM_LOG=$out/installed-run.log
  start_program tirvex
  local id=""
  for _ in $(seq 1 200); do
    # No name pattern: an empty one would match windows of other programs too.
    id=$(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && break
    kill -0 "$PROGRAM_PID" 2>/dev/null || { cat "$PROGRAM_LOG"; fail "the installed program ended at once"; }
    sleep 0.1
  done
  [ -n "$id" ] || { close_program; fail "no window of the installed program appeared in 20 s"; }
  local title class
  title=$(xdotool getwindowname "$id")
  class=$(xprop -id "$id" WM_CLASS)
  echo "window $id: '$title', $class"
  # The desktop entry's StartupWMClass ties the window to the entry and its icon.
  [[ $class == *'"tirvex"' ]] || { close_program; fail "the window's class is not tirvex: $class"; }
  # The program finds green.gif through its own path, which must be the real file.
  local exe
  exe=$(readlink "/proc/$PROGRAM_PID/exe")
  [ "$exe" = /usr/lib/tirvex/tirvex ] || { close_program; fail "the program runs as $exe"; }
  settle 1
  shot "$out/installed.png"
  # Closed the way a user closes a window: the window manager's close key, pressed on
  # the program's window once it has the focus. A busy machine may not have handed the
  # focus over yet, so the key is tried again rather than waited for once.
  local try
  for try in 1 2 3 4 5; do
    xdotool windowactivate "$id" >/dev/null 2>&1 || true
    for _ in $(seq 1 20); do
      [ "$(xdotool getactivewindow 2>/dev/null)" = "$id" ] && break
      sleep 0.1
    done
    xdotool key --clearmodifiers alt+F4
    for _ in $(seq 1 50); do
      kill -0 "$PROGRAM_PID" 2>/dev/null || { wait "$PROGRAM_PID" || true; return 0; }
      sleep 0.1
    done
    echo "the program is still running after close key $try (active window: $(xdotool getactivewindow 2>/dev/null))"
  done
  close_program
  fail "the installed program did not end when its window was closed"
}

install_stage() {
  need apt-get dpkg-query flock Xvfb openbox xdotool xprop
  [ -f "$deb" ] || fail "no package at $deb (the package_contents test builds it)"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null && sudo -n true 2>/dev/null ||
      skip "installing a package needs root or passwordless sudo"
    sudo=(sudo -n)
  fi
  # One install at a time on this machine, whichever build tree asks.
  [ -e "$lock" ] || (umask 0 && : >"$lock")
  exec 9<"$lock"
  flock -w 900 9 || fail "another package test has held $lock for 15 minutes"

  local status
  status=$(dpkg-query -W -f='${Status}' tirvex 2>/dev/null || true)
  if [ "$status" = "install ok installed" ] && [ ! -e "$marker" ]; then
    skip "a tirvex package is already installed here; the test does not replace a user's package"
  fi

  apt_get() { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=300 "$@"; }
  "${sudo[@]}" touch "$marker"
  cleanup() {
    if [ "$(dpkg-query -W -f='${Status}' tirvex 2>/dev/null || true)" != "install ok installed" ] ||
      apt_get remove tirvex >/dev/null 2>&1; then
      "${sudo[@]}" rm -f "$marker"
    fi
  }
  trap cleanup EXIT

  # --reinstall: a package left by a run that died must not stand in for this build.
  apt_get install --reinstall "$deb" >"$out/install.log" 2>&1 || { cat "$out/install.log"; fail "apt-get install failed"; }
  [ "$(dpkg-query -W -f='${Status} ${Version}' tirvex)" = "install ok installed $version" ] ||
    fail "after apt-get install: $(dpkg-query -W -f='${Status} ${Version}' tirvex)"
  [ "$(command -v tirvex)" = /usr/bin/tirvex ] || fail "tirvex on the PATH is '$(command -v tirvex)'"
  [ "$(readlink -f /usr/bin/tirvex)" = /usr/lib/tirvex/tirvex ] ||
    fail "/usr/bin/tirvex leads to $(readlink -f /usr/bin/tirvex)"
  [ -f /usr/lib/tirvex/green.gif ] || fail "/usr/lib/tirvex/green.gif is missing"
  echo "installed: $(dpkg-query -W -f='${Package} ${Version} ${Architecture}' tirvex)"

  "$source_dir/scripts/with-x" bash "$0" run-installed "$build" "$version" ||
    fail "the installed program did not run as it should"

  apt_get remove tirvex >"$out/remove.log" 2>&1 || { cat "$out/remove.log"; fail "apt-get remove failed"; }
  local path
  for path in /usr/bin/tirvex /usr/lib/tirvex /usr/share/applications/tirvex.desktop \
    "$metainfo" /usr/share/doc/tirvex \
    /usr/share/icons/hicolor/32x32/apps/tirvex.png; do
    [ ! -e "$path" ] && [ ! -L "$path" ] || fail "$path is still there after apt-get remove"
  done
  status=$(dpkg-query -W -f='${Status}' tirvex 2>/dev/null || true)
  [ "$status" != "install ok installed" ] || fail "dpkg still lists tirvex as installed"
  "${sudo[@]}" rm -f "$marker"
  echo "removed cleanly; screenshot of the installed program: $out/installed.png"
}

case $stage in
  contents) contents ;;
  install) install_stage ;;
  run-installed) run_installed ;;
  *) fail "unknown stage '$stage'" ;;
esac
