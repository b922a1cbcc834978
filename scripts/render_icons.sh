#!/usr/bin/env bash
# Renders the program icon's PNG sizes (dist/icons/tovrel-N.png) from dist/icons/tovrel.svg.
# With --check writes nothing and fails when a committed PNG differs from what the SVG renders to,
# so that the window, the desktop and the package never show two different pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
[ "${1:-}" = "--check" ] && check=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail=0
for size in 16 22 24 32 48 64 128 256; do
    png=dist/icons/tovrel-$size.png
    rsvg-convert -w "$size" -h "$size" dist/icons/tovrel.svg -o "$scratch/$size.png"
    if [ "$check" = 1 ]; then
        differing=$(compare -metric AE "$scratch/$size.png" "$png" null: 2>&1 || true)
        [ "$differing" = 0 ] || { echo "$png differs from tovrel.svg ($differing pixels): run scripts/render_icons.sh"; fail=1; }
    else
        cp "$scratch/$size.png" "$png"
    fi
done
exit $fail
