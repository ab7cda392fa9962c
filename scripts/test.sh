#!/usr/bin/env bash
# Builds and runs every test:
#  1. GCC, warnings as errors: the whole suite, then the end-to-end runs once
#     more under valgrind;
#  2. clang with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as
#     errors: the whole suite again;
#  3. a bounded fuzz session of the conversion (FUZZ_SECONDS, default 120).
# Tests whose tools are missing say SKIP (outside CI; in CI they fail).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --workflow --preset ci-gcc
if command -v valgrind > /dev/null; then
  WAVTOH_TEST_WRAPPER="valgrind --error-exitcode=99 -q" ctest --preset ci-gcc -R 'EndToEnd|Robustness' -E HugeClaimedSizes -j2
else
  echo "SKIP: valgrind not installed (apt-get install valgrind)"
fi

cmake --workflow --preset ci-sanitize

fuzz_seconds=${FUZZ_SECONDS:-120}
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/* "$corpus"/
echo "fuzzing the conversion for ${fuzz_seconds} s"
build/ci-sanitize/fuzz_conversion -max_total_time="$fuzz_seconds" -print_final_stats=1 \
  "$corpus" fuzz/regressions 2> "$corpus.log" || { tail -n 60 "$corpus.log"; exit 1; }
grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$corpus.log" || true
echo "fuzz corpus: $(ls "$corpus" | wc -l) inputs, crashes: 0"
rm -f "$corpus.log"
