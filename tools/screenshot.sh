#!/usr/bin/env bash
# Takes a screenshot of the built clock's window on a virtual display:
#   tools/screenshot.sh OUTPUT.png [seconds to wait, default 3] [--key KEY]... [clock options]
# --key presses KEY in the window (F9: on air) just before the picture; the clock options start it
# (--countdown 17:00).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(realpath -m "$1")"
shift
delay=3
if [[ "${1:-}" =~ ^[0-9.]+$ ]]; then delay="$1"; shift; fi
keys=()
while [ "${1:-}" = --key ]; do keys+=("$2"); shift 2; done
program="${STUDIO_CLOCK_PROGRAM:-$root/build/release/app/studio-clock}"
source "$root/tools/xvfb.sh"
require_built "$program"
start_on_xvfb 1024x768 "$program" "$@"
sleep "$delay"
window=$(xdotool search --sync --onlyvisible --pid "$APP_PID" | head -n 1)
for key in "${keys[@]}"; do
  xdotool windowfocus --sync "$window" key "$key"
  sleep 1.2  # the key is shown with the next second
done
import -display "$DISPLAY" -window "$window" "$output"
echo "$output"
