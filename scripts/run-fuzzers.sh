#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer, UBSan) in their own
# build dir and runs each for a bounded time, starting from the corpus kept in fuzz/corpus/.
# FUZZ_SECONDS sets the time per target (60). New inputs found stay in the build dir, so the
# repository is not changed; a crash fails the script and leaves its input in build-fuzz/artifacts.
# The routing target builds the central component, so each target runs with an X server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests

seconds="${FUZZ_SECONDS:-60}"
build_dir=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVN5_BUILD_TESTS=OFF -DVN5_ASAN=ON -DVN5_BUILD_FUZZERS=ON
cmake --build "$build_dir" --target vn5_fuzzers

export ASAN_OPTIONS="abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"

mkdir -p "$build_dir/artifacts"
status=0

for fuzzer in "$build_dir"/fuzz/fuzz_*; do
    [[ -x "$fuzzer" ]] || continue
    name=$(basename "$fuzzer")
    work="$build_dir/corpus/$name"
    mkdir -p "$work"

    echo "=== $name: ${seconds} s"
    if scripts/with-xvfb.sh "$fuzzer" "$work" "fuzz/corpus/$name" -max_total_time="$seconds" -max_len=512 -timeout=10 \
        -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$build_dir/artifacts/$name-" \
        >"$build_dir/$name.log" 2>&1; then
        grep -E "^Done [0-9]+ runs|stat::number_of_executed_units|stat::new_units_added" "$build_dir/$name.log" || true
    else
        status=1
        echo "$name FAILED:"
        tail -60 "$build_dir/$name.log"
    fi
done

exit $status
