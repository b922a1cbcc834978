#!/usr/bin/env bash
# Installs the Debian 12 packages Tovrel needs to build, run and test, when they are missing;
# with --fuzz also those of the fuzz targets.
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-charts-dev libqt6opengl6-dev
          qt6-translations-l10n fonts-ipafont-gothic fonts-ipafont-mincho xvfb xauth xdotool imagemagick poppler-utils
          desktop-file-utils appstream groff-base dpkg-dev librsvg2-bin)
# scripts/fuzz.sh builds the libFuzzer targets with clang and its runtime.
[ "${1:-}" = "--fuzz" ] && packages+=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
