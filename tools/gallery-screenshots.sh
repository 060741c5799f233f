#!/usr/bin/env bash
# Screenshots of the resizer gallery at three window sizes, on a virtual display:
#   tools/gallery-screenshots.sh [output folder, default build/gallery]
# Build first (tools/build.sh release).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(realpath -m "${1:-$root/build/gallery}")"
program="${STUDIO_CLOCK_GALLERY:-$root/build/release/tools/gallery/resizer-gallery}"
[ -x "$program" ] || { echo "Build the gallery first: tools/build.sh release" >&2; exit 1; }
mkdir -p "$output"
source "$root/tools/xvfb.sh"
start_xvfb 1920x1080
"$program" &
gallery=$!
trap 'kill $gallery 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --pid "$gallery" | head -n 1)
xdotool windowmove "$window" 0 0
for size in 560x420 800x600 1400x1000; do
  xdotool windowsize "$window" "${size%x*}" "${size#*x}"
  sleep 1
  import -display "$DISPLAY" -window "$window" "$output/gallery-$size.png"
  echo "$output/gallery-$size.png"
done
