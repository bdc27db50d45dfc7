#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs every test:
#   1. the test suite (Debug: JUCE assertions and leaked objects fail a test);
#   2. the same suite under AddressSanitizer and UBSan;
#   3. the tests where the MIDI thread meets the message thread, under ThreadSanitizer;
#   4. the fuzz targets of the received-message road, each for FUZZ_SECONDS (60).
# --quick runs step 1 only. An X server is started when no display is set, since the GUI
# tests open real windows.
set -euo pipefail
cd "$(dirname "$0")/.."

quick=0
if [[ "${1:-}" == "--quick" ]]; then quick=1; fi

scripts/install-deps.sh --tests

echo "=== test suite"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVN5_BUILD_TESTS=ON
cmake --build build
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
scripts/with-xvfb.sh ctest --test-dir build --output-on-failure -j "$(nproc)" | tee "$summary"
passed=$(sed -n 's/.* tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$summary" | tail -1)

if (( quick )); then echo "tests: ${passed:-0} passed, 0 failed"; exit 0; fi

echo "=== test suite under AddressSanitizer and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVN5_BUILD_TESTS=ON -DVN5_ASAN=ON
cmake --build build-asan --target vn5_tests
# Leaks are left to JUCE's own detector in step 1: the system's X and font libraries,
# loaded and unloaded at run time, leave allocations LeakSanitizer cannot attribute.
ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:${ASAN_OPTIONS:-}" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}" \
    scripts/with-xvfb.sh ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

echo "=== ThreadSanitizer"
scripts/run-tsan.sh

echo "=== fuzzing"
scripts/run-fuzzers.sh

echo "tests: ${passed:-0} passed, 0 failed"
