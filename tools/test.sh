#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
preset="${1:-release}"
"$root/tools/install-deps.sh"
"$root/tools/build.sh" "$preset"
cd "$root"
ctest --preset "$preset" "${@:2}"
