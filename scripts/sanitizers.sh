#!/usr/bin/env bash
# Builds build-sanitize/ with clang under AddressSanitizer and UndefinedBehaviorSanitizer (the
# program, its tests and the readers' fuzz targets in one tree), runs every test there through
# CTest, then fuzzes each reader for FUZZ_SECONDS (default 20) over its corpus. Any sanitizer
# report or fuzz finding fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests clang-14 libclang-rt-14-dev libfuzzer-14-dev llvm-14
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++-14 \
  -DDRAVENOR_TESTS=ON -DDRAVENOR_FUZZ=ON >/dev/null
cmake --build build-sanitize
. scripts/sanitizer-env.sh
echo "sanitizers: build took ${SECONDS} s"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j2
echo "sanitizers: build and tests took ${SECONDS} s"
scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
