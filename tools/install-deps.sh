#!/usr/bin/env bash
# Installs the Debian packages the clock needs to build, run and be tested; skips what is there.
# `tools/install-deps.sh lint` adds the source checkers tools/lint.sh runs, `tools/install-deps.sh abi`
# the ABI tools tools/abi-check.sh runs.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev
  qt6-base-private-dev        # the screen tests plug screens in through the offscreen platform's interface
  libqt6opengl6-dev           # wanted by the CMake files of Qt Designer and UiTools
  fonts-liberation            # Liberation Sans stands in for "Arial" and "MS Sans Serif"
  xvfb xauth x11-utils xdotool imagemagick libfaketime
  x11-xserver-utils           # xrandr plugs and unplugs the screens of an end-to-end test's display
  libxcb1-dev                 # the end-to-end tests ask the window to close as a window manager does
  libxcb-screensaver0-dev     # full screen suspends a bare X server's screen saver; the tests read it
  libxcb-xfixes0-dev          # the end-to-end tests read the pointer's image
  libxcb-xtest0-dev           # and double-click in one go, whatever the load
  dbus-daemon python3-dbus python3-gi  # a private session bus with a stand-in screen saver, for the tests
  libxcb-damage0-dev          # bench_damage watches the real window through the X DAMAGE extension
  tzdata                      # time zones with their history, for the daylight-saving tests
  locales                     # generates the locales the date line is tested under (below)
  librsvg2-bin                # rsvg-convert draws the installed PNG icons from the SVG
  systemd                     # systemd-analyze verifies the user unit in the package test
  pkg-config libsystemd-dev   # sd_notify: the user unit's readiness and watchdog
  libwayland-dev wayland-protocols  # full screen holds a Wayland compositor's idle inhibitor; the tests' virtual pointer
  desktop-file-utils          # desktop-file-validate checks the launcher entry in the tests
  appstream                   # appstreamcli checks the AppStream record in the tests
  openbox                     # a window manager, for the end-to-end test of the full-screen key
  designer-qt6                # Qt Designer, which an end-to-end test opens with the plugin
  qt6-base-private-dev        # the accessibility tests switch on a listening screen reader as Qt's own tests do
  dbus at-spi2-core python3-pyatspi  # an end-to-end test reads the window over AT-SPI on a private bus
  sway weston                 # headless Wayland compositors the Wayland end-to-end tests start
  qt6-wayland                 # Qt's Wayland platform, which the clock runs on under them
  wtype grim                  # keys typed into the window under sway, and its screenshots
  wayland-utils               # wayland-info, to see what a compositor offers
)
[ "${1:-}" = lint ] && packages+=(clang-format clang-tidy cppcheck git)
[ "${1:-}" = abi ] && packages+=(abigail-tools)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The date line is tested under these locales; Debian generates only those enabled in /etc/locale.gen.
available=$(locale -a)
generate=""
for name in en_US pt_BR pt_PT pl_PL ru_RU; do
  grep -qx "$name.utf8" <<<"$available" && continue
  grep -qx "$name.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "$name.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  generate=yes
done
[ -z "$generate" ] || $sudo locale-gen
