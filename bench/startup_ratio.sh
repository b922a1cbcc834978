#!/usr/bin/env bash
# Start-up of Tovrel against what the machine allows, as a user starts it:
#  - tovrel (ten cars of 2,000 records) against a bare Qt Widgets program (a menu bar, a toolbar, a
#    17 x 2,000 table), each from launch to its list's first paint (bench/first_paint_probe.cpp ends
#    the process there), run alternately;
#  - tovrel-cli status (the start-up car, 2,000 records) against a bare QCoreApplication program,
#    whole process, run alternately.
# Prints the medians and the median of the paired ratios (goals: 1.3 and 2). The bare window's texts
# are Japanese like Tovrel's, so that both load a Japanese font; --latin-baseline makes them ASCII.
# With --instructions each program runs once more under callgrind and the instruction counts are
# compared too.
#
#   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVREL_BENCH=ON -DTOVREL_TESTS=OFF
#   cmake --build build/bench
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench/startup_ratio.sh [--runs N] [--build DIR] [--instructions]
#                                                                  [--latin-baseline]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=21
build=build/bench
instructions=0
latin=()
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift 2 ;;
        --build) build="$2"; shift 2 ;;
        --instructions) instructions=1; shift ;;
        --latin-baseline) latin=(--latin); shift ;;
        *) echo "usage: $0 [--runs N] [--build DIR] [--instructions] [--latin-baseline]" >&2; exit 2 ;;
    esac
done
for program in bench/tovrel_first_paint bench/bare_widgets_first_paint bench/bare_core bench/tovrel_sample_books src/app/tovrel-cli; do
    [ -x "$build/$program" ] || { echo "missing $build/$program: build with -DTOVREL_BENCH=ON" >&2; exit 2; }
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "no display: run under xvfb-run (see the head of this script)" >&2
    exit 2
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share"
export XDG_CACHE_HOME="$scratch/home/.cache" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME/Quendra" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$build/bench/tovrel_sample_books" "$scratch/data"
printf '[Setting]\nDataPath=%s/data/\nDataMaxSel=1\n\n[System]\nVersion=2.0.B\n' "$scratch" \
    > "$XDG_CONFIG_HOME/Quendra/Mivra.conf"

tovrel=("$build/bench/tovrel_first_paint")
bare=("$build/bench/bare_widgets_first_paint" "${latin[@]}")
cli=("$build/src/app/tovrel-cli" status)
core=("$build/bench/bare_core")

# Wall time of one run in microseconds.
elapsed() {
    local start=$EPOCHREALTIME
    timeout 60 "$@" > /dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    local end=$EPOCHREALTIME
    echo $(( (${end/./} - ${start/./}) ))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs the pair alternately; prints "median-a median-b median-ratio".
compare() {
    local -n first=$1 second=$2
    elapsed "${first[@]}" > /dev/null
    elapsed "${second[@]}" > /dev/null
    local a b ratios="" as="" bs=""
    for ((i = 0; i < runs; i++)); do
        a=$(elapsed "${first[@]}")
        b=$(elapsed "${second[@]}")
        as+="$a"$'\n'
        bs+="$b"$'\n'
        ratios+=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.4f", a / b }')$'\n'
    done
    echo "$(printf '%s' "$as" | median) $(printf '%s' "$bs" | median) $(printf '%s' "$ratios" | median)"
}

instructions_of() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 > /dev/null | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

report() {
    local label=$1 result=$2
    read -r a b ratio <<< "$result"
    awk -v l="$label" -v a="$a" -v b="$b" -v r="$ratio" -v n="$runs" \
        'BEGIN { printf "%-44s %8.1f ms %8.1f ms   median ratio %.2f (%d pairs)\n", l, a / 1000, b / 1000, r, n }'
}

echo "program against its bare counterpart          program     bare"
report "tovrel, launch to first painted list" "$(compare tovrel bare)"
report "tovrel-cli status, whole process" "$(compare cli core)"

if [ "$instructions" = 1 ]; then
    command -v valgrind > /dev/null || { echo "--instructions needs valgrind (apt-get install valgrind)" >&2; exit 2; }
    for pair in "tovrel bare" "cli core"; do
        read -r x y <<< "$pair"
        declare -n p=$x q=$y
        ix=$(instructions_of "${p[@]}")
        iy=$(instructions_of "${q[@]}")
        awk -v l="${p[0]##*/} / ${q[0]##*/}" -v a="$ix" -v b="$iy" \
            'BEGIN { printf "%-44s %12d %12d instructions, ratio %.2f\n", l, a, b, a / b }'
        unset -n p q
    done
fi
