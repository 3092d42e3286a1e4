#!/usr/bin/env bash
# The checks beyond ctest: the song library's plain C++ core built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of its own (no Qt needed); its tests and the malformed-input
# corpus run under the sanitizers; then each libFuzzer target fuzzes for a minute, all at once.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz
fuzz_seconds=${TUNNORA_FUZZ_SECONDS:-60}
jobs=$(nproc)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTUNNORA_FUZZ=ON -DTUNNORA_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$jobs"

corpus="$build/corpus"
rm -rf "$corpus"
"$build/bin/make_fuzz_corpus" "$corpus"
targets=(id3v1 id3v2 records)
for target in "${targets[@]}"; do
    echo "corpus: $target"
    "$build/bin/fuzz_$target" -runs=0 "$corpus/$target" 2>"$build/corpus-$target.log" ||
        { cat "$build/corpus-$target.log"; exit 1; }
done

pids=()
for target in "${targets[@]}"; do
    work="$build/fuzz-work/$target"
    rm -rf "$work"
    mkdir -p "$work"
    cp "$corpus/$target"/* "$work/"
    "$build/bin/fuzz_$target" -max_total_time="$fuzz_seconds" -max_len=65536 -rss_limit_mb=2048 \
        -artifact_prefix="$build/crash-$target-" "$work" >"$build/fuzz-$target.log" 2>&1 &
    pids+=($!)
done
status=0
for i in "${!targets[@]}"; do
    if wait "${pids[$i]}"; then
        echo "fuzz: ${targets[$i]}: $(grep -Eo 'Done [0-9]+ runs.*' "$build/fuzz-${targets[$i]}.log" | tail -1)"
    else
        echo "fuzz: ${targets[$i]} failed; see $build/fuzz-${targets[$i]}.log"
        tail -40 "$build/fuzz-${targets[$i]}.log"
        status=1
    fi
done
exit $status
