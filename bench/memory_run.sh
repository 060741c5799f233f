#!/usr/bin/env bash
# Long-run memory check: runs the built clock in real time on a virtual display and samples its
# resident memory once a minute.   bench/memory_run.sh [minutes, default 10]
# Build first (tools/build.sh release).
set -euo pipefail
minutes="${1:-10}"
source "$(dirname "$0")/../tools/xvfb.sh"
start_clock_on_xvfb 1280x1024
clock=$APP_PID
sleep 5
echo "minute  resident KB"
for minute in $(seq 0 "$minutes"); do
  kill -0 "$clock" 2>/dev/null || { echo "the clock has ended" >&2; exit 1; }
  printf '%6d  %s\n' "$minute" "$(awk '/^VmRSS:/ {print $2}' "/proc/$clock/status")"
  if [ "$minute" -lt "$minutes" ]; then sleep 60; fi
done
