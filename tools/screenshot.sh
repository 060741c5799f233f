#!/usr/bin/env bash
# Takes a screenshot of the built clock's window on a virtual display:
#   tools/screenshot.sh OUTPUT.png [seconds to wait, default 3]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(realpath -m "$1")"
delay="${2:-3}"
program="${STUDIO_CLOCK_PROGRAM:-$root/build/release/app/studio-clock}"
source "$root/tools/xvfb.sh"
start_xvfb 1024x768
"$program" &
clock=$!
trap 'kill $clock 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true' EXIT
sleep "$delay"
window=$(xdotool search --sync --onlyvisible --pid "$clock" | head -n 1)
import -display "$DISPLAY" -window "$window" "$output"
echo "$output"
