#!/usr/bin/env bash
# Sets up a Debian 12 machine when needed, builds Tovrel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVREL_TESTS=OFF > /dev/null
cmake --build build/release
exec build/release/src/app/tovrel "$@"
