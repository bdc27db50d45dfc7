// vn5_bench_firmware: one full 400,000-byte firmware upload to the simulated instrument on the
// running main timer, against the ideal of one 24-byte frame per millisecond (33.3 s).
// Run under an X server; prints one line per figure.

#include "BenchSupport.h"
#include "protocol/FirmwareStream.h"
#include "support/SimulatedInstrument.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <cstdio>
#include <random>

namespace
{
using bench::nowMs;
using bench::pump;

using Program = bench::Program<bench::TickCountingContent>;

int measureUpload()
{
    VirtualMidiDeviceLayer devices;
    SimulatedInstrument instrument (devices);
    instrument.plug();

    Program program (devices);
    auto& content = program.content;
    content.stopTimer (3); // no presence poll in the middle of the upload

    const auto deadline = nowMs() + 5000.0;
    while (devices.getNumCallbacks (instrument.getPorts().inputIdentifier) == 0 && nowMs() < deadline)
        pump (5);
    pump (300); // board-size reply and the MIDI-CI exchange out of the way

    std::mt19937 random (1);
    std::vector<u8> image ((size_t) kPartitionDataSize);
    for (auto& byte : image)
        byte = (u8) random();

    auto& receiver = instrument.getFirmwareReceiver();
    auto& record = OTA_str_ctrl[ota_target_id (content.boardType)];

    const auto ticksBefore = content.ticks.load();
    const auto start = nowMs();
    ota_start_transfer (image.data(), (std::int64_t) image.size());

    double firstDataMs = 0.0;
    while (record.state != OTA_STATE_IDLE && nowMs() < start + 300000.0)
    {
        pump (1);
        if (firstDataMs == 0.0 && receiver.getNumDataPackets() > 0)
            firstDataMs = nowMs();
    }

    const auto elapsedSeconds = (nowMs() - start) / 1000.0;
    const auto ticks = content.ticks.load() - ticksBefore;
    const auto exact = receiver.isComplete() && receiver.getImage() == image && receiver.getErrors().empty();
    const auto ideal = kPartitionDataSize / (double) kOtaBytesPerPacket / 1000.0;

    std::printf ("firmware upload of %d bytes: %.1f s from start to completion (ideal %.1f s, %.2f x), "
                 "first data packet after %.0f ms, %s\n",
                 kPartitionDataSize, elapsedSeconds, ideal, elapsedSeconds / ideal, firstDataMs - start,
                 exact ? "image arrived byte-exact" : "IMAGE DID NOT ARRIVE INTACT");
    std::printf ("timer 1 during the upload: %.0f ticks/s (%ld ticks, nominal 1000); %d data packets\n",
                 (double) ticks / elapsedSeconds, ticks, receiver.getNumDataPackets());
    return exact ? 0 : 1;
}
} // namespace

int main()
{
    // Without an application object JUCE leaves X errors from a bare server alone.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    juce::ScopedJuceInitialiser_GUI juceInitialiser;

    return measureUpload();
}
