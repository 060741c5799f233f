#!/bin/sh
# chronyc as a program asking `chronyc -c tracking` sees it. Its answer is chosen in the environment:
#   CHRONYC_STAND_IN_LINE   the line it prints (default: a synchronised chrony's, ref time 2026-12-08 14:02 UTC)
#   CHRONYC_STAND_IN_EXIT   its exit status (default 0)
#   CHRONYC_STAND_IN_SLEEP  seconds it waits first, printing nothing; "forever" never answers
# Asked anything but "-c tracking", it says so and fails, as chronyc does with a command it does not know.
if [ "$*" != "-c tracking" ]; then
    echo "Unrecognized command" >&2
    exit 1
fi
case "${CHRONYC_STAND_IN_SLEEP:-0}" in
forever) exec sleep infinity ;;
*) sleep "${CHRONYC_STAND_IN_SLEEP:-0}" ;;
esac
printf '%s\n' "${CHRONYC_STAND_IN_LINE:-C0000201,192.0.2.1,2,1796738520.123456789,-0.000010000,0.000200000,0.000150000,-12.345,0.001,0.050,0.001500000,0.002500000,64.2,Normal}"
exit "${CHRONYC_STAND_IN_EXIT:-0}"
