#!/usr/bin/env bash
# fuzz.sh [SECONDS [TARGET...]]: fuzzes each named reader (default: all) for SECONDS (default 20)
# with the targets of build-sanitize/ (scripts/sanitizers.sh builds it), one after another.
# Each starts from its seeds in tests/data/fuzz-corpus/TARGET/; the inputs it adds go to
# build-sanitize/fuzz/TARGET/corpus/, a crash, leak or timeout to build-sanitize/fuzz/TARGET/
# (crash-*, leak-*, timeout-*, oom-*) and its output to build-sanitize/fuzz/TARGET/log.
# Prints one line per target (runs, coverage, corpus size); exit 1 when any target found something.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/sanitizer-env.sh
seconds=${1:-20}; shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(shape_file dxf job_file layout_file density_table print_config)
failed=0
for t in "${targets[@]}"; do
  out=build-sanitize/fuzz/$t
  mkdir -p "$out/corpus"
  build-sanitize/fuzz_$t -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/corpus" "tests/data/fuzz-corpus/$t" >"$out/log" 2>&1
  rc=$?
  last=$(grep -E '^#[0-9]+' "$out/log" | tail -1)
  echo "fuzz_$t: exit $rc, ${last:-no run}; corpus $(ls "$out/corpus" | wc -l) new inputs"
  if [ $rc -ne 0 ]; then
    failed=1
    grep -E 'ERROR|SUMMARY|fuzz finding|runtime error|artifact' "$out/log" | head -20
  fi
done
exit $failed
