#!/usr/bin/env bash
# Sets up and builds the window and the runner (not the tests and benchmarks), then
# starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh vadidazid vadidazid-sim
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display is available (DISPLAY is not set)."
  echo "Start Vadidazid from a desktop session, or run it in a virtual display:"
  echo "    xvfb-run -a build/app/vadidazid"
  echo "The headless runner needs no display:  build/cli/vadidazid-sim --help"
  exit 1
fi
exec build/app/vadidazid "$@"
