#!/usr/bin/env bash
# Line and branch coverage of src/ by the whole test suite: an instrumented Debug build in
# build-cov/, every CTest test, then gcovr's summary (and an HTML page with -html).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
command -v gcovr >/dev/null || { sudo_cmd=(); [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update && "${sudo_cmd[@]}" apt-get install -y --no-install-recommends gcovr; }
cmake -S . -B build-cov -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDRAVENOR_TESTS=ON -DDRAVENOR_COVERAGE=ON >/dev/null
cmake --build build-cov
find build-cov -name '*.gcda' -delete
QT_QPA_PLATFORM=offscreen ctest --test-dir build-cov -j2 --timeout 1200 "$@" || true
args=(-r . --filter src/ --print-summary -j2)
[ "${COVERAGE_HTML:-}" = 1 ] && mkdir -p build-cov/html && args+=(--html-details build-cov/html/index.html)
gcovr "${args[@]}" build-cov
