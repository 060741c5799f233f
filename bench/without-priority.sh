#!/bin/sh
# Runs the program as on a desktop that grants no scheduling priority: no RealtimeKit (no system
# bus) and no leave to lower its nice level, even as root. For bench_damage's --program.
#   bench/without-priority.sh [studio-clock arguments]   (STUDIO_CLOCK_PROGRAM: the program to run)
program="${STUDIO_CLOCK_PROGRAM:-$(dirname "$0")/../build/release/app/studio-clock}"
DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent exec setpriv --bounding-set=-sys_nice --inh-caps=-sys_nice \
  prlimit --nice=0 -- "$program" "$@"
