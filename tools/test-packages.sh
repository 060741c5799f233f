#!/usr/bin/env bash
# Proves the Debian packages on this machine: installs them with apt, starts /usr/bin/studio-clock
# on a virtual display and closes it as a window manager does (exit code 0), verifies its systemd
# user unit, checks the runtime package is named for its libraries' soname, builds and runs the
# components example against the installed development package, then purges the packages and
# checks that none of their files is left behind.
#   tools/test-packages.sh [packages, default build/packages] [build with the tests, default build/release]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
packages="$(cd "${1:-$root/build/packages}" && pwd)"
build="$(cd "${2:-$root/build/release}" && pwd)"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

mapfile -t names < <(for deb in "$packages"/*.deb; do dpkg-deb --field "$deb" Package; done)
$sudo apt-get install -y -q "$packages"/*.deb
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Every file the packages put on the machine, to look for after the purge.
for name in "${names[@]}"; do dpkg -L "$name"; done | sort -u >"$work/listed"
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then echo "$path"; fi
done <"$work/listed" >"$work/installed"

echo "== the installed program shows its window and a close ends it with code 0"
STUDIO_CLOCK_PROGRAM=/usr/bin/studio-clock "$root/tests/e2e/with-xvfb.sh" \
  "$build/tests/test_e2e" closingTheWindowEndsTheProgramWithCodeZero

echo "== the systemd user unit is installed and verifies"
unit=/usr/lib/systemd/user/studio-clock.service
grep -qx "$unit" "$work/installed"
# A user manager's runtime folder is all it needs, not a running manager; --man=no, since images
# without manuals are common (the man page's installation is checked with the other files).
XDG_RUNTIME_DIR="$work" systemd-analyze verify --user --man=no "$unit"

echo "== the runtime package is named for the soname of its libraries"
# A program built against the package looks for the libraries by soname; a raised soname that kept
# the old package name would replace the libraries those programs need.
runtime="$(printf '%s\n' "${names[@]}" | grep -x 'libstudioclock[0-9]*')"
mapfile -t libraries < <(grep '/libstudioclock-[a-z]*\.so\.[0-9]*$' "$work/installed")
[ ${#libraries[@]} -gt 0 ]
for library in "${libraries[@]}"; do
  soname="$(objdump -p "$library" | awk '$1 == "SONAME" { print $2 }')"
  if [ "libstudioclock${soname##*.so.}" != "$runtime" ]; then
    echo "$library has the soname $soname, but is in the package $runtime" >&2
    exit 1
  fi
done

echo "== the Designer plugin finds its libraries"
plugin="$(grep '/designer/libstudioclock-designer.so$' "$work/installed")"
# A negated pipeline never stops a script under `set -e`, so the failure is raised explicitly.
if ldd "$plugin" | grep 'not found'; then exit 1; fi

echo "== the components example builds against the development package"
cmake -S "$root/examples/components" -B "$work/example" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/example"
QT_QPA_PLATFORM=offscreen "$work/example/components-example" --quit-after 1500 \
  --form "$root/examples/components/ComponentsWindow.ui"

echo "== the purge leaves nothing behind"
$sudo apt-get purge -y -q "${names[@]}"
left=0
while read -r path; do
  if [ -e "$path" ] || [ -L "$path" ]; then echo "left behind: $path" >&2; left=1; fi
done <"$work/installed"
[ "$left" -eq 0 ]
echo "The packages install, run, build the example and uninstall cleanly."
