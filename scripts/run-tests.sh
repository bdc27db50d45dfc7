#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs every test.
# Starts its own X server when no display is set, since the GUI tests open real windows.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests

build_dir=build
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVN5_BUILD_TESTS=ON
cmake --build "$build_dir"

scripts/with-xvfb.sh ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
