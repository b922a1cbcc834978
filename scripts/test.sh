#!/usr/bin/env bash
# Sets up a Debian 12 machine when needed, builds with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOVREL_SANITIZE=ON > /dev/null
cmake --build build/test
cd build/test
ctest --output-on-failure "$@"
