#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs every test.
# Starts its own X server when no display is set, since the GUI tests open real windows.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests

build_dir=build
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVN5_BUILD_TESTS=ON
cmake --build "$build_dir"

xvfb_pid=""
cleanup() { if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi; }
trap cleanup EXIT

if [[ -z "${DISPLAY:-}" ]]; then
    display=":$(( 90 + RANDOM % 100 ))"
    Xvfb "$display" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY="$display"
    for _ in $(seq 50); do
        xdpyinfo -display "$display" >/dev/null 2>&1 && break || sleep 0.1
    done
fi

ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
