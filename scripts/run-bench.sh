#!/usr/bin/env bash
# Builds the benchmark (optimised) and prints its figures, each beside a stock 1 ms MultiTimer's:
# the main timer's wake-ups and CPU use while idle, the time from a message's arrival to its
# monitor line, the drain of a 1024-message burst, the real program's idle CPU use, and the time
# and tick rate of a full 400,000-byte firmware upload to the simulated instrument.
# An optional argument gives the idle measuring time in seconds (10 by default).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests

build_dir=build-bench
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVN5_BUILD_BENCHMARKS=ON -DVN5_BUILD_TESTS=ON
cmake --build "$build_dir" -j4 --target vn5_bench vn5_bench_firmware VN5MidiControlSystem

# JUCE reports every X property its windows ask a bare X server for; those lines are noise here.
scripts/with-xvfb.sh "$build_dir/bench/vn5_bench" "${1:-10}" 2> >(grep -v "X returned BadAtom" >&2)
scripts/with-xvfb.sh bench/program-idle-cpu.sh \
    "$build_dir/VN5MidiControlSystem_artefacts/Release/KorvelVn5MidiCS_Projucer" \
    "$build_dir/bench/vn5_bench --bare-timer" "${1:-10}"
scripts/with-xvfb.sh "$build_dir/bench/vn5_bench_firmware" 2> >(grep -v "X returned BadAtom" >&2)
