#!/usr/bin/env bash
# Runs a command on a fresh virtual display, with Qt on X: tests/e2e/with-xvfb.sh COMMAND [ARGS]
set -euo pipefail
source "$(dirname "$0")/../../tools/xvfb.sh"
start_xvfb 2400x1600  # room for the window grown to 1500 x 1100 about the centre
export QT_QPA_PLATFORM=xcb
"$@"
