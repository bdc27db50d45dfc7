// vn5_bench: the main timer's wake-ups and CPU use while idle, the time from a message's arrival
// to its monitor line, and the drain of a 1024-message burst; each figure beside the same figure
// of a stock 1 ms juce::MultiTimer in this process. Run under an X server (scripts/run-bench.sh
// starts one); prints one line per figure.
//   vn5_bench [IDLE_SECONDS]      all figures
//   vn5_bench --bare-timer        a bare JUCE app running one 1 ms MultiTimer until killed

#include "BenchSupport.h"
#include "support/SimulatedInstrument.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdio>
#include <cstring>
#include <random>

namespace
{
using bench::nowMs;
using bench::pump;

/** The central component, timing its "Note on" lines as they reach the Monitor View. */
class MeasuredContent : public bench::TickCountingContent
{
public:
    using TickCountingContent::TickCountingContent;

    void logMessage (const juce::String& text) override
    {
        MainContentComponent::logMessage (text);

        // Posted after the append, so it runs once the line is in the Monitor View.
        if (text.startsWith ("Note on"))
            juce::MessageManager::callAsync ([this] { lineTimes.push_back (nowMs()); });
    }

    std::vector<double> lineTimes; // message thread only
};

using Program = bench::Program<MeasuredContent>;

void measureIdle (int seconds)
{
    double wakeUpsPerSecond = 0.0, cpuPercent = 0.0;
    {
        VirtualMidiDeviceLayer devices; // no instrument, nothing else either
        Program program (devices);
        pump (500); // start-up work done

        const auto wakeUpsBefore = program.content.wakeUps.load();
        const auto cpuBefore = bench::cpuSeconds();
        const auto start = nowMs();
        pump (seconds * 1000);
        const auto elapsedSeconds = (nowMs() - start) / 1000.0;

        wakeUpsPerSecond = (double) (program.content.wakeUps.load() - wakeUpsBefore) / elapsedSeconds;
        cpuPercent = 100.0 * (bench::cpuSeconds() - cpuBefore) / elapsedSeconds;
    }
    pump (200);

    bench::StockTimer stock;
    pump (200);
    const auto callbacksBefore = stock.callbacks.load();
    const auto cpuBefore = bench::cpuSeconds();
    const auto start = nowMs();
    pump (seconds * 1000);
    const auto elapsedSeconds = (nowMs() - start) / 1000.0;

    std::printf ("idle, no instrument, %d s: timer 1 woke %.0f times/s, CPU %.1f %% of one core"
                 "  | stock 1 ms MultiTimer: %.0f callbacks/s, CPU %.1f %%\n",
                 seconds, wakeUpsPerSecond, cpuPercent,
                 (double) (stock.callbacks.load() - callbacksBefore) / elapsedSeconds,
                 100.0 * (bench::cpuSeconds() - cpuBefore) / elapsedSeconds);
}

/** Arrival-to-line times of `count` note-ons spaced by offsetMs, program and reference. */
void measureLatency (const char* label, int count, const std::function<double (int)>& offsetMs)
{
    bench::Latency program, reference;
    {
        VirtualMidiDeviceLayer devices;
        Program window (devices);
        auto& content = window.content;
        pump (500);

        const auto arrivals = bench::feedAndWait (
            count, offsetMs,
            [&] (const juce::MidiMessage& m) { content.handleIncomingMidiMessage (nullptr, m); },
            [&] { return content.lineTimes.size(); });
        program = bench::latencyOf (arrivals, content.lineTimes);
    }
    pump (200);
    {
        bench::StockTimer stock;
        pump (200);
        const auto arrivals = bench::feedAndWait (
            count, offsetMs, [&] (const juce::MidiMessage& m) { stock.ring.push (m); },
            [&] { return stock.lineTimes.size(); });
        reference = bench::latencyOf (arrivals, stock.lineTimes);
    }

    std::printf ("arrival to monitor line, %s: median %.2f ms, p99 %.2f ms (%zu of %d lines)"
                 "  | stock 1 ms MultiTimer: median %.2f ms, p99 %.2f ms (%zu lines)\n",
                 label, program.median, program.p99, program.count, count, reference.median, reference.p99,
                 reference.count);
}

void measureBurst()
{
    double programMs = 0.0;
    size_t programLines = 0;
    double deliveredMs = 0.0;
    {
        VirtualMidiDeviceLayer devices;
        SimulatedInstrument instrument (devices);
        instrument.plug();

        Program program (devices);
        auto& content = program.content;
        content.stopTimer (3); // no presence poll in the middle of the burst
        bench::awaitInstrument (devices, instrument.getPorts().inputIdentifier);
        content.lineTimes.clear();

        const auto sent = nowMs();
        for (int i = 0; i < 1024; ++i)
            instrument.send (juce::MidiMessage::noteOn (1, 28 + i % 73, (juce::uint8) (1 + i % 127)));

        devices.waitUntilDelivered();
        deliveredMs = nowMs() - sent;

        while (content.lineTimes.size() < 1024 && nowMs() < sent + 20000.0)
            pump (5);
        pump (50);

        programLines = content.lineTimes.size();
        if (programLines > 0)
            programMs = content.lineTimes.back() - content.lineTimes.front();
    }
    pump (200);

    bench::StockTimer stock;
    pump (200);
    for (int i = 0; i < 1024; ++i)
        stock.ring.push (juce::MidiMessage::noteOn (1, 28 + i % 73, (juce::uint8) (1 + i % 127)));

    const auto start = nowMs();
    while (stock.lineTimes.size() < 1024 && nowMs() < start + 20000.0)
        pump (5);

    std::printf (
        "burst of 1024 note-ons (delivered into the ring in %.1f ms): %zu monitor lines, first to last "
        "%.0f ms  | stock 1 ms MultiTimer: %zu lines, first to last %.0f ms\n",
        deliveredMs, programLines, programMs, stock.lineTimes.size(),
        stock.lineTimes.empty() ? 0.0 : stock.lineTimes.back() - stock.lineTimes.front());
}
} // namespace

int main (int argc, char** argv)
{
    // Without an application object JUCE leaves X errors from a bare server alone.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    std::setvbuf (stdout, nullptr, _IOLBF, 0);

    if (argc > 1 && std::strcmp (argv[1], "--bare-timer") == 0)
    {
        bench::StockTimer stock;
        juce::MessageManager::getInstance()->runDispatchLoop();
        return 0;
    }

    const int idleSeconds = argc > 1 ? juce::jmax (1, std::atoi (argv[1])) : 10;

    measureIdle (idleSeconds);

    // A player's pace, and single messages into a program that has been idle for a while
    measureLatency ("one message every 50 ms", 200, [] (int i) { return 50.0 * i; });

    std::mt19937 random (7);
    std::vector<double> idleOffsets { 0.0 };
    for (int i = 1; i < 50; ++i)
        idleOffsets.push_back (idleOffsets.back() + 200.0 + (double) (random() % 200));
    measureLatency ("while idle (one every 200 to 400 ms)", 50,
                    [&] (int i) { return idleOffsets[(size_t) i]; });

    measureBurst();
    return 0;
}
