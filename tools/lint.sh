#!/usr/bin/env bash
# The checks CI makes on the source itself: formatting (clang-format), lint (clang-tidy) and
# static analysis (cppcheck), each with the settings at the root of the tree. clang-tidy and
# cppcheck read the compilation database of a configured build:
#   tools/lint.sh [build folder, default build/release]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
"$root/tools/install-deps.sh" lint
cd "$root"
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
failed=()

echo "== clang-format"
clang-format --dry-run --Werror "${sources[@]}" || failed+=(clang-format)

echo "== clang-tidy"
# Only the tree's own translation units; the generated ones (moc, uic, resources) are Qt's.
tidy_log="$build/clang-tidy.log"
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "^$root/(framework|controls|display|resizer|forms|app|resources|tests|bench|tools)/.*\.cpp$" \
  >"$tidy_log" 2>&1 || true
if grep -E "(warning|error):" "$tidy_log"; then failed+=(clang-tidy); fi

echo "== cppcheck"
# It does not read Qt's headers, so the check moc's output makes for them is left out.
cppcheck --quiet --error-exitcode=1 --inline-suppr --library=qt --enable=warning,performance,portability \
  --std=c++17 -j "$(nproc)" --project="$build/compile_commands.json" -i "$build" \
  --suppress='preprocessorErrorDirective:*.moc' || failed+=(cppcheck)

if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}" >&2
  exit 1
fi
echo "Source checks passed."
