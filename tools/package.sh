#!/usr/bin/env bash
# Builds the Debian packages the Debian way, from debian/ with dpkg-buildpackage, after installing
# their build dependencies; then checks them with lintian (errors and warnings fail, apart from the
# overrides under debian/, each with its reason).
#   tools/package.sh [output folder, default build/packages]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(realpath -m "${1:-$root/build/packages}")"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends dpkg-dev debhelper lintian
DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -q "$root"

# Built from a copy of the tree as it stands (without the build folders), so the packages and
# dpkg-buildpackage's files beside the source stay out of the tree.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$root/tools/copy-source.sh" "$root" "$work/studio-clock"
(cd "$work/studio-clock" && dpkg-buildpackage -us -uc -b)

mkdir -p "$output"
rm -f "$output"/*.deb "$output"/*.changes "$output"/*.buildinfo
mv "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$output"/
lintian --fail-on error,warning --info "$output"/*.changes
ls "$output"/*.deb
