#!/usr/bin/env bash
# Fails when a folder of src/ includes a folder above it. Floors from the bottom up; a folder may
# include its own floor and the ones below.
set -euo pipefail
cd "$(dirname "$0")/../src"
floors=(base settings data calc totals graph output session ui app)
declare -A rank
for i in "${!floors[@]}"; do rank[${floors[$i]}]=$i; done

status=0
while IFS= read -r line; do
    file=${line%%:*}
    folder=${file%%/*}
    target=$(sed -n 's/.*#include "\([a-z_]*\)\/.*/\1/p' <<< "${line#*:*:}")
    if [ -z "${rank[$folder]+x}" ]; then
        echo "src/$file: folder $folder is not in the floor list of scripts/check_layers.sh"; status=1; continue
    fi
    [ -z "$target" ] && continue
    if [ -z "${rank[$target]+x}" ]; then
        echo "src/$line: unknown folder $target"; status=1
    elif [ "${rank[$target]}" -gt "${rank[$folder]}" ]; then
        echo "src/$line: $folder includes $target, which sits above it"; status=1
    fi
done < <(grep -rn --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include "[a-z_]*/' . | sed 's|^\./||')
exit $status
