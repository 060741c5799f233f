#!/usr/bin/env bash
# Screenshots of the resizer gallery at three window sizes, on a virtual display:
#   tools/gallery-screenshots.sh [output folder, default build/gallery]
# Build first (tools/build.sh release).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(realpath -m "${1:-$root/build/gallery}")"
program="${STUDIO_CLOCK_GALLERY:-$root/build/release/tools/gallery/resizer-gallery}"
source "$root/tools/xvfb.sh"
require_built "$program"
mkdir -p "$output"
start_on_xvfb 1920x1080 "$program"
window=$(xdotool search --sync --onlyvisible --pid "$APP_PID" | head -n 1)
xdotool windowmove "$window" 0 0
for size in 560x420 800x600 1400x1000; do
  xdotool windowsize "$window" "${size%x*}" "${size#*x}"
  sleep 1
  import -display "$DISPLAY" -window "$window" "$output/gallery-$size.png"
  echo "$output/gallery-$size.png"
done
