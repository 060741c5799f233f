#!/usr/bin/env bash
# Installs the Debian packages the clock needs to build, run and be tested; skips what is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev
  fonts-liberation            # Liberation Sans stands in for "Arial" and "MS Sans Serif"
  xvfb xauth x11-utils xdotool imagemagick libfaketime
  libxcb1-dev                 # the end-to-end tests ask the window to close as a window manager does
  tzdata                      # time zones with their history, for the daylight-saving tests
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
