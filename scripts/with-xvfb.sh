#!/usr/bin/env bash
# Runs a command with an X server: the current one when DISPLAY is set, else a private Xvfb
# that ends with the command.
set -euo pipefail

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

"$@"
