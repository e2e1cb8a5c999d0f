#!/usr/bin/env bash
# Checks the desktop entry and the AppStream metainfo as the desktop's own tools read
# them, before any package is built.
#   validate_desktop_files.sh DESKTOP_FILE METAINFO_FILE PROGRAM_VERSION
set -euo pipefail
desktop=$1 metainfo=$2 program_version=$3
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps installs it)"; exit 77; }
done

# desktop-file-validate prints hints without failing; any output is taken as a fault.
out=$(desktop-file-validate "$desktop" 2>&1) || { echo "$out"; exit 1; }
[ -z "$out" ] || { echo "desktop-file-validate: $out"; exit 1; }
appstreamcli validate --no-net --pedantic "$metainfo"

# The metainfo's newest release is the version being built.
version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$version" = "$program_version" ] ||
  { echo "the newest release in the metainfo is '$version', the program is $program_version"; exit 1; }
echo "desktop entry and metainfo are valid; release $version"
