#!/usr/bin/env bash
# Idle CPU use of the real program with no instrument attached: starts it, lets it settle,
# then reads its CPU time from /proc over a measuring window. Needs an X server (DISPLAY).
#   bench/program-idle-cpu.sh PROGRAM [SECONDS]
set -euo pipefail

program="$1"
seconds="${2:-10}"
ticks_per_second=$(getconf CLK_TCK)

"$program" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

sleep 2
before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)

awk -v t=$(( after - before )) -v hz="$ticks_per_second" -v s="$seconds" \
    'BEGIN { printf "program idle CPU, no instrument: %.1f %% of one core (%.2f s CPU in %d s)\n", 100 * t / hz / s, t / hz, s }'
