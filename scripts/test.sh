#!/usr/bin/env bash
# Builds and runs every test:
#  1. GCC, warnings as errors: the whole suite, then the end-to-end runs once
#     more under valgrind;
#  2. clang with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as
#     errors: the whole suite again;
#  3. a bounded fuzz session of the conversion (FUZZ_SECONDS, default 120),
#     two thirds from memory, one third through real files;
#  4. the Windows build (MinGW-w64), its end-to-end runs under Wine, and the
#     Windows .zip.
# A part whose tools are missing says SKIP; in CI (CI=true) it fails instead.
set -euo pipefail
cd "$(dirname "$0")/.."

missing() {  # missing TOOL PACKAGES: true (after saying so) when TOOL is absent
  command -v "$1" > /dev/null && return 1
  if [ -n "${CI:-}" ]; then echo "FAIL: $1 is missing in CI" >&2; exit 1; fi
  echo "SKIP: $1 not installed (apt-get install $2)"
}

echo "== GCC build and tests"
cmake --workflow --preset ci-gcc
if ! missing valgrind valgrind; then
  echo "== end-to-end runs under valgrind"
  WAVTOH_TEST_WRAPPER="valgrind --error-exitcode=99 -q" \
    ctest --preset ci-gcc -R 'EndToEnd|Robustness|CommandLine' -E HugeClaimedSizes -j2
fi

echo "== clang build and tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset ci-sanitize

fuzz_seconds=${FUZZ_SECONDS:-120}
corpus=$(mktemp -d)
trap 'rm -rf "$corpus" "$corpus.log"' EXIT
cp fuzz/corpus/* "$corpus"/
# Two targets share one corpus: the one from memory covers many inputs a
# second, the one through real files a few hundred. Each works in a folder of
# its own, so every path it gets is absolute; an input that breaks the tools
# is saved under build/fuzz-artifacts/, to be added to fuzz/regressions/.
mkdir -p build/fuzz-artifacts
fuzz() {  # fuzz TARGET SECONDS
  echo "== fuzzing the conversion with $1 for $2 s"
  "build/ci-sanitize/$1" -max_total_time="$2" -print_final_stats=1 \
    -artifact_prefix="$PWD/build/fuzz-artifacts/" "$corpus" "$PWD/fuzz/regressions" \
    2> "$corpus.log" || { tail -n 60 "$corpus.log"; exit 1; }
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$corpus.log" || true
}
fuzz fuzz_conversion_memory $((fuzz_seconds * 2 / 3))
fuzz fuzz_conversion $((fuzz_seconds - fuzz_seconds * 2 / 3))
echo "fuzz corpus: $(ls "$corpus" | wc -l) inputs, crashes: 0"

if ! missing x86_64-w64-mingw32-g++ g++-mingw-w64-x86-64 && ! missing wine "wine64 wine"; then
  echo "== Windows build, tested under Wine"
  bash scripts/test-windows.sh
fi
