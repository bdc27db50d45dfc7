#pragma once

#include "TickClock.h"

#include <juce_events/juce_events.h>

#include <functional>

//==============================================================================
/**
    Drives a 1 ms tick from one timer of a juce::MultiTimer: runs the ticks its TickClock finds
    due (a few at most per callback), lets the timer sleep longer while nothing is pending, and
    brings the 1 ms pace back as soon as another thread hands over work. A timer that is
    stopped stays stopped.
*/
class MainTickPacer : private juce::AsyncUpdater
{
public:
    MainTickPacer (juce::MultiTimer& timerToDrive, int timerIdToDrive, std::function<void()> tickToRun,
                   std::function<bool()> workPending, TickClock::Clock clock = TickClock::steadyMilliseconds);
    ~MainTickPacer() override;

    /** Message thread: the timer's callback. */
    void timerFired();

    /** Any thread, after handing the tick work. Cheap: posts at most one wake-up per quiet spell. */
    void workArrived();

private:
    void handleAsyncUpdate() override;

    juce::MultiTimer& timer;
    const int timerId;
    std::function<void()> tick;
    std::function<bool()> pending;
    TickClock tickClock;

    JUCE_DECLARE_NON_COPYABLE (MainTickPacer)
};
