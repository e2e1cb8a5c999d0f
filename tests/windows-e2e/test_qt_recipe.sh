#!/usr/bin/env bash
# Qt's recipe as a vendor receives it (dist/qt-source/), run as a user who is not root:
# with a file or a tool missing it says in one line what is missing and exits non-zero;
# with everything there, `--check` takes the network away from itself (unshare -rn) and
# says it is ready, or says in one line why it cannot.
#   test_qt_recipe.sh QT_SOURCE_DIR
set -euo pipefail
recipe=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
as_user=()
[ "$(id -u)" != 0 ] || as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
# A PATH of every tool of this machine but one.
without() {
  rm -rf "$work/bin" && mkdir "$work/bin"
  local tool
  for tool in /usr/local/bin/* /usr/bin/* /bin/*; do ln -sf "$tool" "$work/bin/" 2>/dev/null || true; done
  rm -f "$work/bin/$1"
}
while IFS='|' read -r what remove tool expected; do
  rm -rf "$work/qt-source" && cp -r "$recipe" "$work/qt-source" && chmod -R a+rX "$work/qt-source"
  [ -z "$remove" ] || rm -f "$work/qt-source/"$remove
  path=$PATH
  [ -z "$tool" ] || { without "$tool"; path=$work/bin; }
  status=0
  env PATH="$path" "${as_user[@]}" "$work/qt-source/build-qt" --check "$work/qt" >"$work/out" 2>&1 || status=$?
  if [ -z "$expected" ]; then # everything there
    { grep -qx "build-qt: ready to build Qt .* with no network" "$work/out" && [ "$status" = 0 ]; } ||
      { grep -qx "build-qt: cannot take the network away .*" "$work/out" && [ "$status" != 0 ]; } ||
      { cat "$work/out"; fail "$what: neither ready without the network nor refused (exit $status)"; }
  else
    [ "$status" != 0 ] && [ "$(wc -l <"$work/out")" = 1 ] && grep -q -- "^build-qt: $expected" "$work/out" ||
      { cat "$work/out"; fail "$what: not one line saying '$expected' and a failure (exit $status)"; }
  fi
  echo "$what: $(cat "$work/out")"
done <<'TABLE'
everything there|||
no .dsc|*.dsc||no qt6-base_\*.dsc
no original archive|*.orig.tar.xz||no qt6-base_.*\.orig\.tar\.xz beside this script
no Debian archive|*.debian.tar.xz||no qt6-base_.*\.debian\.tar\.xz beside this script
no toolchain file|mingw-w64-x86_64.cmake||no mingw-w64-x86_64.cmake beside
no ninja||ninja|no ninja on this machine (Debian's package ninja-build)
no cross-compiler||x86_64-w64-mingw32-g++-posix|no x86_64-w64-mingw32-g++-posix on this machine
TABLE
echo "PASS: the recipe names what is missing, and builds only without the network"
