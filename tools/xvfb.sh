# Sourced by the tools and benchmarks that run a program on a virtual display.

# The release build of this tree, where the scripts find what they run unless told otherwise.
release_build="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/release"

# Starts a virtual display of the given size (default 1280x1024) and exports DISPLAY; it is stopped
# when the calling script exits.
start_xvfb() {
  local size="${1:-1280x1024}" number
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
  done
  Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
  export DISPLAY=":$number"
  # Qt wants a private runtime folder; a session without one gets a fresh one.
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="$(mktemp -d)"
    export XDG_RUNTIME_DIR
  fi
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

# Starts a virtual display of the given size and COMMAND on it in the background; APP_PID holds
# the command's process. Both end when the calling script exits or is interrupted.
start_on_xvfb() {
  local size="$1"
  shift
  start_xvfb "$size"
  "$@" &
  APP_PID=$!
  trap 'kill $APP_PID 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true' EXIT
  trap 'exit 130' INT TERM
}

# Ends the calling script with a hint when PROGRAM has not been built.
require_built() {
  [ -x "$1" ] || { echo "Build it first: tools/build.sh release ($1 is missing)" >&2; exit 1; }
}

# Starts the clock as start_on_xvfb does, on a virtual display of the given size: the program
# STUDIO_CLOCK_PROGRAM names, else the release build's; ends the calling script with a hint when
# that is not built.
start_clock_on_xvfb() {
  local program="${STUDIO_CLOCK_PROGRAM:-$release_build/app/studio-clock}"
  require_built "$program"
  start_on_xvfb "$1" "$program"
}
