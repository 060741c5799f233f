#!/usr/bin/env bash
# Start-up benchmark: starts the program ten times on a virtual display, in the copy built with a
# start-up probe (bench/StartupProbe.cpp), and reports the median time from process start to the
# first painted frame of the main window, and the peak resident memory. Build first
# (tools/build.sh release).   bench/startup.sh [runs, default 10]
set -euo pipefail
runs="${1:-10}"
source "$(dirname "$0")/../tools/xvfb.sh"
program="${STUDIO_CLOCK_PROBED_PROGRAM:-$release_build/bench/studio-clock-probed}"
require_built "$program"
start_xvfb 1280x1024

frames=()
peaks=()
for _ in $(seq "$runs"); do
  output=$(STUDIO_CLOCK_STARTUP_PROBE=$(date +%s%N) timeout 30 "$program" 2>/dev/null)
  frames+=("$(awk '/^first-frame-ms/ {print $2}' <<<"$output")")
  peaks+=("$(awk '/^peak-rss-kb/ {print $2}' <<<"$output")")
done

median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
echo "runs: $runs"
echo "first frame, ms: median $(median "${frames[@]}"), all: ${frames[*]}"
echo "peak RSS, MB: median $(median "${peaks[@]}" | awk '{printf "%.1f", $1/1024}'), max $(printf '%s\n' "${peaks[@]}" | sort -n | tail -1 | awk '{printf "%.1f", $1/1024}')"
