#!/usr/bin/env bash
# Builds the tests with ThreadSanitizer and runs the ones where the MIDI thread and the
# message thread meet: the ring of received messages, the incoming road into it, logging
# from other threads, and the end-to-end tests against the simulated instrument's thread.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests

build_dir=build-tsan
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVN5_TSAN=ON -DVN5_BUILD_TESTS=ON
cmake --build "$build_dir" --target vn5_tests

export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
scripts/with-xvfb.sh "$build_dir/tests/vn5_tests" --gtest_filter='IncomingMessageRing.*:TickClock.*:MainTickPacer.*:IncomingRoad.*:Connection.*:Logging.*:MidiCiStartup.*:MidiCiWithDevice.*:InstrumentPackets.*:InstrumentReplies.*:ImageSizes/FirmwareUpload.*:SimulatedInstrumentTest.*:Calibration.*'
