#!/usr/bin/env bash
# Proves the installed components work for an outside program: installs a built preset into a
# temporary prefix, builds examples/components and examples/plain-qt against it alone, and runs
# them headless; the plain Qt one fails unless its resizer panel scales what it holds.
#   tools/test-install.sh [build folder, default build/release]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
# Designer's plugin finds the libraries it was installed with.
plugin="$(find "$work/prefix" -path '*/designer/libstudioclock-designer.so')"
[ -n "$plugin" ] || { echo "The Designer plugin was not installed." >&2; exit 1; }
! ldd "$plugin" | grep 'not found' || { echo "The installed Designer plugin misses libraries." >&2; exit 1; }
cmake -S "$root/examples/components" -B "$work/example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/example"
export QT_QPA_PLATFORM=offscreen
"$work/example/components-example" --quit-after 1500
"$work/example/components-example" --quit-after 1500 --form "$root/examples/components/ComponentsWindow.ui"
cmake -S "$root/examples/plain-qt" -B "$work/plain-qt" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/plain-qt"
"$work/plain-qt/plain-qt-example"
echo "The installed package builds and runs the examples: a form compiled in and read at run time,"
echo "and a plain Qt program whose clock ticks and whose resizer panel scales."
