#!/usr/bin/env bash
# Cross-builds the Windows tools and the .zip, then runs the end-to-end tests
# of the GCC build (scripts/test.sh builds it first) against the .exe files
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows
cmake --build --preset windows
cpack --preset windows-zip

export WINEDEBUG=-all
unset DISPLAY
wineboot -i > /dev/null 2>&1 || true  # makes the prefix on first use
wineserver -k 2> /dev/null || true
wineserver -w 2> /dev/null || true
wineserver -p  # one server for all runs, not one started and idled out per run
# Start Wine's background services now, with no test's pipes to inherit:
# ctest would otherwise wait for them to close the pipes of the first test.
wineboot > /dev/null 2>&1 < /dev/null || true
trap 'wineserver -k || true' EXIT
# A console: Wine shows a terminal as one, so the texts must go through the
# code page 936 converter and come out on a UTF-8 terminal as readable text.
console_dir=$(mktemp -d)
cp examples/chime.wav "$console_dir"/
exe="$PWD/build/windows/wavtoh.exe"
shown=$(cd "$console_dir" && LC_ALL=C.UTF-8 script -qec "echo chime | wine '$exe'" /dev/null < /dev/null)
rm -rf "$console_dir"
if ! grep -q '请输入WAV文件的路径' <<< "$shown" || ! grep -q '采样数据大小(byte):4000' <<< "$shown"; then
  echo "FAIL: the Windows console did not show the Chinese texts:" >&2
  printf '%s\n' "$shown" | head -n 20 >&2
  exit 1
fi
echo "Windows console: the texts read correctly"

# Not run under Wine: the POSIX terminal test, the read-only folder (Wine's
# prefix belongs to the user running the tests), a GBK file name, which
# Windows maps through the system code page (936 on Chinese Windows only),
# and the tests named Posix...: links, pipes, POSIX signals, permission bits
# and the stack limit are things of the POSIX platform.
WAVTOH_EXE="$PWD/build/windows/wavtoh.exe" ADPCMLAB_EXE="$PWD/build/windows/adpcmlab.exe" \
  WAVTOH_TEST_WRAPPER=wine ctest --preset ci-gcc -j2 \
  -R 'EndToEnd|Robustness|CommandLine|RealWriters|RealClients' -E 'GbkName|Terminal|ReadOnlyFolder|Posix'
