#pragma once

#include <juce_events/juce_events.h>

#include <functional>

namespace testhelpers
{
/** Runs the message loop for the given time, so that timers and posted calls run. */
inline void pumpMessages (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

/** Runs the message loop until the condition holds or the time is up; returns the condition. */
inline bool pumpUntil (const std::function<bool()>& condition, int timeoutMilliseconds = 5000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;

    while (!condition())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return condition();

        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    return true;
}
} // namespace testhelpers
