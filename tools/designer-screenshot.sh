#!/usr/bin/env bash
# Shows the components in Qt Designer (designer-qt6) on a virtual display and takes a screenshot:
# the plugin's group in the widget box, the example's form, and the LED clock's properties.
#   tools/designer-screenshot.sh OUTPUT.png [build folder, default build/release]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(realpath -m "$1")"
build="$(realpath -m "${2:-$root/build/release}")"
designer=/usr/lib/qt6/bin/designer
[ -x "$designer" ] || { echo "Qt Designer is missing: install designer-qt6" >&2; exit 1; }
source "$root/tools/xvfb.sh"
require_built "$build/tools/designer/libstudioclock-designer.so"

# Designer looks for plugins in <path>/designer, and starts from its own defaults in a fresh home.
scratch="$(mktemp -d)"
mkdir -p "$scratch/plugins/designer" "$scratch/home"
ln -s "$build/tools/designer/libstudioclock-designer.so" "$scratch/plugins/designer/"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
start_on_xvfb 1600x1000 env QT_PLUGIN_PATH="$scratch/plugins" "$designer" \
  "$root/examples/components/ComponentsWindow.ui"
trap 'kill $APP_PID 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true; rm -rf "$scratch"' EXIT

window=$(xdotool search --sync --onlyvisible --name "Qt Designer" | head -n 1)
sleep 3
xdotool windowmove "$window" 0 0 windowsize "$window" 1600 1000
sleep 1
# Widget box filtered to the plugin's group; the clock picked in the object inspector; the three
# tabbed editors under the property editor closed, so it has the column.
xdotool mousemove 127 91 click 1 type "::"
xdotool mousemove 1177 183 click 1
for _ in 1 2 3; do
  xdotool mousemove 1592 679 click 1
  sleep 0.5
done
sleep 1
# The right-hand column widened, the property editor's QWidget group folded away, and the
# property editor given most of the column.
drag() {  # from x y to x y, in steps a splitter follows
  xdotool mousemove "$1" "$2" mousedown 1
  for step in 1 2 3 4; do
    sleep 0.2
    xdotool mousemove $(($1 + ($3 - $1) * step / 4)) $(($2 + ($4 - $2) * step / 4))
  done
  xdotool mouseup 1
}
drag 1339 600 1000 600
sleep 0.5
xdotool mousemove 1016 638 click 1
drag 1300 495 1300 230
sleep 1
import -display "$DISPLAY" -window root "$output"
echo "$output"
