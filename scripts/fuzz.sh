#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for a given time on its seed corpus.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# Targets: log_file profile_ini print_forms car_book cp932 (default: all). New inputs go to
# build/fuzz/corpus/<target> (the seeds in fuzz/corpus stay as they are); a crash is written to
# build/fuzz/crashes/<target>/ and ends the script with its status.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(log_file profile_ini print_forms car_book cp932)

scripts/deps.sh --fuzz
cxx=$(command -v clang++-14 || command -v clang++)
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
    -DTOVREL_FUZZ=ON -DTOVREL_TESTS=OFF > /dev/null
cmake --build build/fuzz -j2 --target $(printf 'fuzz_%s ' "${targets[@]}")

export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:malloc_context_size=2:quarantine_size_mb=32
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$target
    crashes=build/fuzz/crashes/$target
    mkdir -p "$corpus" "$crashes"
    echo "== $target: ${seconds}s"
    build/fuzz/fuzz/fuzz_$target "$corpus" "fuzz/corpus/$target" -dict="fuzz/dict/$target.dict" \
        -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$crashes/" -print_final_stats=1
done
