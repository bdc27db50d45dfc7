#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>

//==============================================================================
/**
    The arithmetic of a 1 ms tick driven by a timer that fires late and unevenly: each callback
    runs one tick for every whole millisecond since the ticks already run, so counts of ticks
    stay counts of milliseconds. While nothing is pending the timer may sleep longer; the ticks
    it skips then would have found nothing to do, so waking from that quiet owes none of them.
*/
class TickClock
{
public:
    /** Milliseconds on a steady scale. */
    using Clock = std::function<double()>;

    /** Ticks made up at most after a stall; the rest are dropped rather than sent as a flood of
        firmware packets. */
    static constexpr int maxCatchUp = 50;

    /** The timer interval while nothing is pending; a countdown or stream started meanwhile
        begins at most this late. */
    static constexpr int quietIntervalMs = 10;

    explicit TickClock (Clock clockToUse = [] { return juce::Time::getMillisecondCounterHiRes(); });

    /** Message thread, on each timer callback: the ticks to run now, counted as run. One on the
        first call and after a quiet spell, none when the clock went back. */
    int takeDueTicks();

    /** Message thread, after running them: the timer interval from here on, 1 ms, or
        quietIntervalMs when `pending` says there is nothing to do. The quiet is announced before
        `pending` is asked, so work handed over meanwhile is seen there or by wakeNeeded(). */
    int nextInterval (const std::function<bool()>& pending);

    /** Any thread, after handing the tick work: true once per quiet spell, when the timer has to
        be woken for it. */
    bool wakeNeeded() noexcept { return quiet.exchange (false); }

private:
    Clock clock;
    double lastRunMs = 0.0;
    bool counting = false;
    std::atomic<bool> quiet { false };

    JUCE_DECLARE_NON_COPYABLE (TickClock)
};
