#!/usr/bin/env bash
# Replays the fuzz corpora (the seeds and what scripts/fuzz.sh found) through coverage-instrumented
# builds of the targets and prints the line and branch coverage of the core's source files.
#   scripts/fuzz_coverage.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(log_file profile_ini print_forms car_book cp932)

scripts/deps.sh --fuzz
cxx=$(command -v clang++-14 || command -v clang++)
profdata=$(command -v llvm-profdata-14 || command -v llvm-profdata)
cov=$(command -v llvm-cov-14 || command -v llvm-cov)
flags="-fprofile-instr-generate -fcoverage-mapping"
cmake -S . -B build/fuzz-coverage -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
    -DTOVREL_FUZZ=ON -DTOVREL_TESTS=OFF -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" > /dev/null
cmake --build build/fuzz-coverage -j2 --target $(printf 'fuzz_%s ' "${targets[@]}")

export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 ASAN_OPTIONS=detect_leaks=0
out=build/fuzz-coverage/profiles
rm -rf "$out" && mkdir -p "$out"
for target in "${targets[@]}"; do
    binary=build/fuzz-coverage/fuzz/fuzz_$target
    corpora=("fuzz/corpus/$target")
    [ -d "build/fuzz/corpus/$target" ] && corpora+=("build/fuzz/corpus/$target")
    LLVM_PROFILE_FILE="$out/$target.profraw" "$binary" -runs=0 "${corpora[@]}" > /dev/null 2>&1
    "$profdata" merge -sparse "$out/$target.profraw" -o "$out/$target.profdata"
    echo "== $target"
    "$cov" report "$binary" -instr-profile="$out/$target.profdata" -ignore-filename-regex='(fuzz/|/usr/)' \
        | grep -vE '^-+$' | sed -E 's/ +/ /g'
done
