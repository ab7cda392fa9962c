#!/usr/bin/env bash
# Builds the .deb, installs it (as root) and runs the installed tools on the
# demo sound.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default
cmake --build --preset default
cpack --preset deb
apt-get install -y -qq --reinstall ./build/packages/wavtoh_*_amd64.deb > /dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/chime.wav "$work"/
(cd "$work" && echo chime | /usr/bin/wavtoh > /dev/null && grep -q 'wav_chime\[\]' wav_chime.h)
(cd "$work" && echo chime | /usr/bin/adpcmlab > /dev/null && test -s pred.m)
/usr/bin/wavtoh --version
test -f /usr/share/man/man1/wavtoh.1 && test -f /usr/share/man/man1/adpcmlab.1
echo "the .deb installs, and its tools convert the demo sound"
