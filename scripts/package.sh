#!/usr/bin/env bash
# Builds a release in build/package and makes the Debian package of it there:
# build/package/tovrel_<version>_<arch>.deb (install it with: sudo apt install ./build/package/tovrel_*.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVREL_TESTS=OFF \
      -DCMAKE_INSTALL_PREFIX=/usr > /dev/null
cmake --build build/package -j2
(cd build/package && cpack -G DEB > /dev/null)
deb=$(ls -t build/package/tovrel_*.deb | head -1)
dpkg-deb --field "$deb" Package Version Depends Recommends
echo "$deb"
