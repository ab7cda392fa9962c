#!/usr/bin/env bash
# Installs what building and testing need on Debian (run as root).
set -euo pipefail
packages=(cmake make g++ clang libgtest-dev libgmock-dev libbenchmark-dev libc-bin)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
