#!/usr/bin/env bash
# Idle CPU use of the real program with no instrument attached, beside a bare JUCE app running
# one stock 1 ms MultiTimer: starts each in turn, lets it settle, then reads its CPU time from
# /proc over a measuring window. Needs an X server (DISPLAY).
#   bench/program-idle-cpu.sh PROGRAM REFERENCE_PROGRAM [SECONDS]
# REFERENCE_PROGRAM is a command line, e.g. "build-bench/bench/vn5_bench --bare-timer".
set -euo pipefail

program="$1"
reference="$2"
seconds="${3:-10}"
ticks_per_second=$(getconf CLK_TCK)

# Prints the CPU seconds the command line uses over the window.
cpu_over_window() {
    $1 >/dev/null 2>&1 &
    local pid=$!
    trap 'kill "$pid" 2>/dev/null || true' EXIT
    sleep 2
    local before after
    before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    sleep "$seconds"
    after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    trap - EXIT
    awk -v t=$(( after - before )) -v hz="$ticks_per_second" 'BEGIN { printf "%.2f", t / hz }'
}

program_cpu=$(cpu_over_window "$program")
reference_cpu=$(cpu_over_window "$reference")

awk -v p="$program_cpu" -v r="$reference_cpu" -v s="$seconds" 'BEGIN {
    printf "program idle CPU, no instrument: %.1f %% of one core (%.2f s CPU in %d s)", 100 * p / s, p, s
    printf "  | bare JUCE app, stock 1 ms MultiTimer: %.1f %% (%.2f s)\n", 100 * r / s, r }'
