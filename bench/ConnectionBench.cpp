// vn5_bench: the main tick's rate, the drain time of a full ring and the idle CPU use.
// Run under an X server (scripts/run-bench.sh starts one); prints one line per figure.

#include "BenchSupport.h"
#include "support/SimulatedInstrument.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <sys/resource.h>

#include <atomic>
#include <cstdio>

namespace
{
using bench::nowMs;
using bench::pump;

double cpuSeconds()
{
    rusage usage {};
    getrusage (RUSAGE_SELF, &usage);
    return (double) usage.ru_utime.tv_sec + (double) usage.ru_utime.tv_usec * 1.0e-6
           + (double) usage.ru_stime.tv_sec + (double) usage.ru_stime.tv_usec * 1.0e-6;
}

/** The central component, counting its ticks and timing its "Note on" lines. */
class MeasuredContent : public bench::TickCountingContent
{
public:
    using TickCountingContent::TickCountingContent;

    void logMessage (const juce::String& text) override
    {
        if (text.startsWith ("Note on"))
        {
            if (noteLines++ == 0)
                firstNoteLineMs = nowMs();
            lastNoteLineMs = nowMs();
        }
        MainContentComponent::logMessage (text);
    }

    int noteLines = 0;
    double firstNoteLineMs = 0.0, lastNoteLineMs = 0.0;
};

using Program = bench::Program<MeasuredContent>;

void measureIdle (int seconds)
{
    VirtualMidiDeviceLayer devices; // no instrument, nothing else either
    Program program (devices);
    pump (500); // start-up work done

    const auto ticksBefore = program.content.ticks.load();
    const auto cpuBefore = cpuSeconds();
    const auto start = nowMs();

    pump (seconds * 1000);

    const auto elapsedSeconds = (nowMs() - start) / 1000.0;
    const auto ticks = program.content.ticks.load() - ticksBefore;
    const auto cpu = cpuSeconds() - cpuBefore;

    std::printf ("timer 1, idle, no instrument: %.0f ticks/s over %.1f s (nominal 1000)\n",
                 (double) ticks / elapsedSeconds, elapsedSeconds);
    std::printf ("idle CPU, no instrument: %.1f %% of one core (%.2f s CPU in %.1f s)\n",
                 100.0 * cpu / elapsedSeconds, cpu, elapsedSeconds);
}

void measureBurst()
{
    VirtualMidiDeviceLayer devices;
    SimulatedInstrument instrument (devices);
    instrument.plug();

    Program program (devices);
    auto& content = program.content;
    content.stopTimer (3); // no presence poll in the middle of the burst

    const auto deadline = nowMs() + 5000.0;
    while (devices.getNumCallbacks (instrument.getPorts().inputIdentifier) == 0 && nowMs() < deadline)
        pump (5);
    pump (300); // board-size reply and the MIDI-CI countdown out of the way

    const auto sent = nowMs();
    for (int i = 0; i < 1024; ++i)
        instrument.send (juce::MidiMessage::noteOn (1, 28 + i % 73, (juce::uint8) (1 + i % 127)));

    devices.waitUntilDelivered();
    const auto delivered = nowMs();

    while (content.noteLines < 1024 && nowMs() < sent + 20000.0)
        pump (5);

    std::printf (
        "burst of 1024 note-ons: delivered into the ring in %.1f ms; %d monitor lines, first to last %.0f ms "
        "(%.0f lines/s)\n",
        delivered - sent, content.noteLines, content.lastNoteLineMs - content.firstNoteLineMs,
        1000.0 * (content.noteLines - 1)
            / juce::jmax (1.0, content.lastNoteLineMs - content.firstNoteLineMs));
}
} // namespace

int main (int argc, char** argv)
{
    // Without an application object JUCE leaves X errors from a bare server alone.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    juce::ScopedJuceInitialiser_GUI juceInitialiser;

    const int idleSeconds = argc > 1 ? juce::jmax (1, std::atoi (argv[1])) : 10;

    measureIdle (idleSeconds);
    measureBurst();
    return 0;
}
