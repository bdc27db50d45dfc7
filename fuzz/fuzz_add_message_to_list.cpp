// Any received message through the central component's routing and monitor lines, with
// the instrument's ports open so that MIDI-CI answers really go out. Needs an X display.
// The Monitor View is closed: filling its editors would slow the run a hundredfold, and the
// lines are still built and posted.

#include "app/MainContentComponent.h"
#include "app/MonitorWindow.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <cstddef>
#include <cstdint>

namespace
{
struct Program
{
    Program()
    {
        devices.addInputDevice ("Korvel VN5 MIDI", "korvel-in");
        devices.addOutputDevice ("Korvel VN5 MIDI", "korvel-out");
        content = std::make_unique<MainContentComponent> (devices);

        // The fuzzer drives the component; its timers would only add noise.
        for (int id = 1; id <= 5; ++id)
            content->stopTimer (id);

        content->monitorFilter.sysex = 1;
        content->ciLogging = 1;
        content->monitorWindow.reset();
    }

    /** Runs the posted log lines, and keeps what piles up from growing without end. */
    void settle()
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
        devices.clearSentMessages ("korvel-out");
    }

    juce::ScopedJuceInitialiser_GUI juce;
    VirtualMidiDeviceLayer devices;
    std::unique_ptr<MainContentComponent> content;
    int count = 0;
};

Program& program()
{
    // Without an application instance JUCE installs its own X error handlers, so a window
    // under a bare X server does not end the process.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };

    static auto* p = new Program(); // lives to the end of the process, as the program's own does
    return *p;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > 1024)
        return 0;

    auto& p = program();
    p.content->addMessageToList (juce::MidiMessage (data, (int) size), {});

    if (++p.count % 128 == 0)
        p.settle();

    return 0;
}
