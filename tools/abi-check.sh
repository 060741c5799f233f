#!/usr/bin/env bash
# Checks that the published libraries keep the ABI recorded in abi/: builds them with debug
# information (the `abi` preset, into build/abi), describes each with abidw, limited to the types of
# the installed headers, and compares that with its baseline with abidiff. Added functions and
# variables pass; a change that breaks programs built against the baseline fails, unless the soname
# was raised since, which says the break is meant. abidiff calls incompatible (its bit 8) only a
# removed symbol or a moved virtual function; a changed function or variable (its bit 4 once the
# additions are left out), such as a class that grew a field, breaks programs too.
#   tools/abi-check.sh           check
#   tools/abi-check.sh --renew   rewrite the baselines from this build: with a raised soname and the
#                                runtime package renamed after it, in the same commit
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
case "${1:-}" in
"") renew=no ;;
--renew) renew=yes ;;
*)
  echo "usage: tools/abi-check.sh [--renew]" >&2
  exit 2
  ;;
esac

"$root/tools/install-deps.sh" abi
cd "$root"
cmake --preset abi >/dev/null
cmake --build --preset abi
build="$root/build/abi"

# The folders installed as include/studioclock/<folder>, and the generated export headers.
libraries=(framework resources controls display resizer forms)
headers=(--headers-dir "$build/generated")
for name in "${libraries[@]}"; do headers+=(--headers-dir "$root/$name"); done

soname() { sed -n 's/.*<abi-corpus [^>]*soname=.\([^"'\'']*\).*/\1/p' "$1" | head -n 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$root/abi"
failed=()
for name in "${libraries[@]}"; do
  library="$build/$name/libstudioclock-$name.so"
  baseline="$root/abi/libstudioclock-$name.abi"
  current="$work/$name.abi"
  # Without source locations, and the tree's folder written as ".", so a baseline renewed in another
  # folder differs only where the ABI does.
  abidw --no-corpus-path --no-show-locs --drop-private-types --drop-undefined-syms --type-id-style hash \
    --suppressions "$root/abi/left-out-types.suppr" \
    "${headers[@]}" --out-file "$current" "$library"
  sed -i "s|$root|.|g" "$current"
  if [ "$renew" = yes ]; then
    cp "$current" "$baseline"
    echo "renewed abi/libstudioclock-$name.abi ($(soname "$current"))"
    continue
  fi
  if [ ! -f "$baseline" ]; then
    echo "libstudioclock-$name: no baseline abi/libstudioclock-$name.abi; tools/abi-check.sh --renew makes it" >&2
    failed+=("$name")
    continue
  fi
  status=0
  abidiff "$baseline" "$current" >"$work/$name.diff" 2>&1 || status=$?
  existing=0
  abidiff --no-added-syms --ignore-soname "$baseline" "$current" >/dev/null 2>&1 || existing=$?
  if [ $(((status | existing) & 3)) -ne 0 ]; then
    cat "$work/$name.diff" >&2
    echo "libstudioclock-$name: abidiff could not compare (exit $status)" >&2
    failed+=("$name")
  elif [ $((status & 8)) -ne 0 ] || [ $((existing & 4)) -ne 0 ]; then
    cat "$work/$name.diff"
    was="$(soname "$baseline")"
    now="$(soname "$current")"
    if [ "$was" = "$now" ]; then
      echo "libstudioclock-$name: incompatible ABI change under the same soname $now." >&2
      echo "  Keep the old ABI (new data goes behind the class's private pointer), or raise" >&2
      echo "  STUDIO_CLOCK_ABI_VERSION, rename the runtime package in debian/ and run" >&2
      echo "  tools/abi-check.sh --renew, all in one commit." >&2
      failed+=("$name")
    else
      echo "libstudioclock-$name: the soname was raised from $was to $now;" \
        "tools/abi-check.sh --renew records the new ABI"
    fi
  elif [ $((status & 4)) -ne 0 ]; then
    echo "libstudioclock-$name: compatible ABI change (additions):"
    cat "$work/$name.diff"
  else
    echo "libstudioclock-$name: ABI unchanged"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "ABI check failed: ${failed[*]}" >&2
  exit 1
fi
[ "$renew" = yes ] || echo "ABI check passed."
