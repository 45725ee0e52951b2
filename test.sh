#!/usr/bin/env bash
# Sets up, builds Dravenor with its tests in build-tests/ and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=Release -DDRAVENOR_TESTS=ON >/dev/null
cmake --build build-tests
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-tests --output-on-failure -j2 "$@"
