#pragma once

#include "app/MainContentComponent.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

namespace bench
{
inline double nowMs()
{
    return juce::Time::getMillisecondCounterHiRes();
}

inline void pump (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

/** The central component, counting the ticks of its main timer. */
class TickCountingContent : public MainContentComponent
{
public:
    using MainContentComponent::MainContentComponent;

    void timerCallback (int timerID) override
    {
        if (timerID == 1)
            ++ticks;
        MainContentComponent::timerCallback (timerID);
    }

    std::atomic<long> ticks { 0 };
};

/** A component in a window of its own, as the program shows it. */
template <typename Content>
struct Program
{
    explicit Program (VirtualMidiDeviceLayer& devices)
        : content (devices), window ("VN5 MIDI Control System", juce::Colours::black, 0)
    {
        window.setUsingNativeTitleBar (false);
        window.setContentNonOwned (&content, true);
        window.setVisible (true);
    }

    Content content;
    juce::DocumentWindow window;
};
} // namespace bench
