#!/usr/bin/env bash
# Installs what is missing, builds, and starts the clock. Without a display the clock runs on a
# virtual one, and a screenshot shows what it looks like.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh" release
program="$root/build/release/app/studio-clock"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi

source "$root/tools/xvfb.sh"
start_on_xvfb 1280x1024 "$program"
sleep 4
shot="$root/build/screenshot.png"
import -display "$DISPLAY" -window root "$shot"
echo "No display found: the clock runs on the virtual display $DISPLAY."
echo "Screenshot: $shot"
echo "Press Ctrl+C to stop it."
wait $APP_PID
