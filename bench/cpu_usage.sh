#!/usr/bin/env bash
# CPU the running clock uses (the program alone, not the X server) over a number of seconds on a
# virtual display. Build first (tools/build.sh release).   bench/cpu_usage.sh [seconds, default 60]
set -euo pipefail
seconds="${1:-60}"
source "$(dirname "$0")/../tools/xvfb.sh"
start_clock_on_xvfb 1280x1024
clock=$APP_PID
sleep 3  # past start-up
ticks() { awk '{print $14 + $15}' "/proc/$clock/stat"; }
before=$(ticks)
sleep "$seconds"
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
  'BEGIN {printf "studio-clock over %d s: %.2f s of CPU = %.3f %% of one core\n", s, t / hz, 100 * t / hz / s}'
rss=$(awk '/VmRSS/ {print $2}' "/proc/$clock/status")
echo "resident memory now: $((rss / 1024)) MB"
