#!/usr/bin/env bash
# Installs, on Debian and as root, everything the build and the tests use:
# compilers and test libraries, the independent WAV writers and readers
# (sox, ffmpeg, espeak-ng, libsndfile, Python), a microcontroller C compiler
# with the Arduino AVR core and the simavr simulator for the example firmware,
# GNU Octave for the plot scripts, valgrind and clang's fuzzing runtime, and
# MinGW-w64 with Wine for the Windows build and its test run.
set -euo pipefail
packages=(
  cmake make g++ clang libgtest-dev libgmock-dev libbenchmark-dev libc-bin
  libclang-rt-14-dev valgrind
  sox ffmpeg espeak-ng sndfile-programs python3
  gcc-avr avr-libc binutils-avr arduino-core-avr simavr libsimavr-dev libelf-dev
  octave gnuplot-nox fonts-freefont-otf
  g++-mingw-w64-x86-64 wine64 wine dpkg-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
fi
