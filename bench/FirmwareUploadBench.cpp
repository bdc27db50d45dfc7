// vn5_bench_firmware: one full 400,000-byte firmware upload to the simulated instrument on the
// running main timer, against the ideal of one 24-byte frame per millisecond (33.3 s), with a
// stock 1 ms juce::MultiTimer running alongside as the reference for the tick rate.
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
    bench::awaitInstrument (devices, instrument.getPorts().inputIdentifier);

    std::mt19937 random (1);
    std::vector<u8> image ((size_t) kPartitionDataSize);
    for (auto& byte : image)
        byte = (u8) random();

    auto& receiver = instrument.getFirmwareReceiver();
    auto& record = OTA_str_ctrl[ota_target_id (content.boardType)];

    content.countSends();
    bench::StockTimer stock;
    const auto wakeUpsBefore = content.wakeUps.load();
    const auto start = nowMs();
    ota_start_transfer (image.data(), (std::int64_t) image.size());

    // One data packet per tick: their rate while streaming is the tick rate.
    double firstDataMs = 0.0, lastDataMs = 0.0;
    long stockAtFirstData = 0, stockAtLastData = 0;
    int packets = 0;
    // The record passes through idle between the two stream-opened replies: done is idle after data.
    while (!(record.state == OTA_STATE_IDLE && packets > 0) && nowMs() < start + 120000.0)
    {
        pump (1);
        if (const auto now = receiver.getNumDataPackets(); now != packets)
        {
            if (packets == 0)
            {
                firstDataMs = nowMs();
                stockAtFirstData = stock.callbacks.load();
            }
            packets = now;
            lastDataMs = nowMs();
            stockAtLastData = stock.callbacks.load();
        }
    }

    const auto elapsedSeconds = (nowMs() - start) / 1000.0;
    const auto wakeUps = content.wakeUps.load() - wakeUpsBefore;
    const auto streamingSeconds = juce::jmax (0.001, (lastDataMs - firstDataMs) / 1000.0);
    const auto exact = receiver.isComplete() && receiver.getImage() == image && receiver.getErrors().empty();
    const auto ideal = kPartitionDataSize / (double) kOtaBytesPerPacket / 1000.0;

    std::printf ("firmware upload of %d bytes: %.1f s from start to completion (ideal %.1f s, %.2f x), "
                 "first data packet after %.0f ms, %s\n",
                 kPartitionDataSize, elapsedSeconds, ideal, elapsedSeconds / ideal, firstDataMs - start,
                 exact ? "image arrived byte-exact" : "IMAGE DID NOT ARRIVE INTACT");
    std::printf (
        "ticks while streaming: %.1f ticks/s (%d data packets in %.1f s, nominal 1000); timer 1 woke "
        "%.0f times/s  | stock 1 ms MultiTimer alongside: %.1f callbacks/s, %.1f s at its pace (%.2f x)\n",
        (packets - 1) / streamingSeconds, packets, streamingSeconds, (double) wakeUps / elapsedSeconds,
        (double) (stockAtLastData - stockAtFirstData) / streamingSeconds,
        ideal * 1000.0 * streamingSeconds / juce::jmax (1.0, (double) (stockAtLastData - stockAtFirstData)),
        1000.0 * streamingSeconds / juce::jmax (1.0, (double) (stockAtLastData - stockAtFirstData)));
    std::printf ("most messages sent to the instrument within one callback of timer 1: %ld (at most %d)\n",
                 content.mostSentInOneWakeUp, TickClock::maxTicksPerCallback);
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
