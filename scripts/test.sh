#!/usr/bin/env bash
# Builds with GCC and with clang, warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --workflow --preset ci-gcc
cmake --workflow --preset ci-clang
