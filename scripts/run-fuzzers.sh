#!/usr/bin/env bash
# Builds the fuzzers (the plug-in's codecs, the program's parsers) with clang in build-fuzz/ and runs
# each for a bounded time (FUZZ_SECONDS, 15 unless set), half of it with the plug-in's portable code
# forced. Exits non-zero when a fuzzer finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null 2>&1 || ! command -v clang >/dev/null 2>&1; then
    echo "clang not found: skipping the fuzzers"
    exit 0
fi
seconds="${FUZZ_SECONDS:-15}"
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz
# Half of each fuzzer's time goes to the portable code, which SIMD kernels would otherwise replace.
half=$(((seconds + 1) / 2))
for fuzzer in build-fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    for portable in 0 1; do
        echo "== $name (${half}s, QUILVANE_FORCE_PORTABLE=$portable)"
        QUILVANE_FORCE_PORTABLE=$portable "$fuzzer" -max_total_time="$half" -print_final_stats=0 \
            -artifact_prefix="build-fuzz/$name-" "$corpus" 2>&1 | tail -n 20
        status=${PIPESTATUS[0]}
        if [ "$status" -ne 0 ]; then
            echo "$name failed (exit $status); the crashing input is in build-fuzz/" >&2
            exit "$status"
        fi
    done
done
