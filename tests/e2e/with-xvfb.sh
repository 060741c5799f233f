#!/usr/bin/env bash
# Runs a command on a fresh virtual display, with Qt on X: tests/e2e/with-xvfb.sh COMMAND [ARGS]
set -euo pipefail
source "$(dirname "$0")/../../tools/xvfb.sh"
# Room for the window grown to 1500 x 1100 about the centre; and a height at which the maximised
# window and full screen give the calendar the same font, so that only its natural size differs.
start_xvfb 2400x1640
export QT_QPA_PLATFORM=xcb
"$@"
