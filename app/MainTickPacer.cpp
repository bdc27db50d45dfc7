#include "MainTickPacer.h"

MainTickPacer::MainTickPacer (juce::MultiTimer& timerToDrive, int timerIdToDrive,
                              std::function<void()> tickToRun, std::function<bool()> workPending,
                              TickClock::Clock clock)
    : timer (timerToDrive)
    , timerId (timerIdToDrive)
    , tick (std::move (tickToRun))
    , pending (std::move (workPending))
    , tickClock (std::move (clock))
{
}

MainTickPacer::~MainTickPacer()
{
    cancelPendingUpdate();
}

void MainTickPacer::timerFired()
{
    for (auto due = tickClock.takeDueTicks(); due > 0; --due)
        tick();

    const auto interval = tickClock.nextInterval (pending);

    if (timer.isTimerRunning (timerId) && timer.getTimerInterval (timerId) != interval)
        timer.startTimer (timerId, interval);
}

void MainTickPacer::workArrived()
{
    if (tickClock.wakeNeeded())
        triggerAsyncUpdate();
}

void MainTickPacer::handleAsyncUpdate()
{
    if (timer.isTimerRunning (timerId))
        timerFired();
}
