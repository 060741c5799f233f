#!/usr/bin/env bash
# Takes a screenshot of the built clock's window on a virtual display:
#   tools/screenshot.sh OUTPUT.png [seconds to wait, default 3]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(realpath -m "$1")"
delay="${2:-3}"
program="${STUDIO_CLOCK_PROGRAM:-$root/build/release/app/studio-clock}"
source "$root/tools/xvfb.sh"
require_built "$program"
start_on_xvfb 1024x768 "$program"
sleep "$delay"
window=$(xdotool search --sync --onlyvisible --pid "$APP_PID" | head -n 1)
import -display "$DISPLAY" -window "$window" "$output"
echo "$output"
