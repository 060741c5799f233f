#!/usr/bin/env bash
# The source copy the packages are built from: a checkout gives its files without the build
# folders, and a tree without git (a release tarball) gives the same files again.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
files() { (cd "$1" && find . -type f | sort); }

"$root/tools/copy-source.sh" "$root" "$work/checkout"
[ -f "$work/checkout/CMakeLists.txt" ] && [ -f "$work/checkout/debian/control" ]
[ ! -e "$work/checkout/build" ] || { echo "the copy holds a build folder" >&2; exit 1; }

cp -r "$work/checkout" "$work/tarball"
mkdir -p "$work/tarball/build/release" && touch "$work/tarball/build/release/CMakeCache.txt"
"$root/tools/copy-source.sh" "$work/tarball" "$work/from-tarball"
diff <(files "$work/checkout") <(files "$work/from-tarball")
