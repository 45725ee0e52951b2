#!/usr/bin/env bash
# Sets up, builds a release build in build/ and starts Dravenor (the batch tool on the
# example data when there is no display).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/dravenor "$@"
fi
echo "No display found: showing the example shapes and optimising the example job with the batch tool."
build/dravenor-cli shape-info resources/examples/sheets/*.shp resources/examples/parts/*.shp
echo
mapfile -t job < resources/examples/job.args
(cd resources/examples && ../../build/dravenor-cli nest "${job[@]}") || true
echo
echo "To open the window, run ./run.sh on a desktop, or under a virtual display: xvfb-run ./run.sh"
