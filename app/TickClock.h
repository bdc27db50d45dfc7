#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>

//==============================================================================
/**
    The arithmetic of a 1 ms tick driven by a timer that fires late and unevenly: callbacks
    run one tick for every whole millisecond since the ticks already run, so counts of ticks
    stay counts of milliseconds. While nothing is pending the timer may sleep longer; the ticks
    it skips then would have found nothing to do, so waking from that quiet owes none of them.

    A stall is made up without a burst: each tick may send one firmware packet, and the
    instrument's flow control (pause, set offset, resume) can only act between callbacks. So a
    callback runs at most maxTicksPerCallback ticks and leaves the rest owed to the callbacks
    after it, which at the 1 ms pace work the debt off at three ticks a millisecond. At most
    maxCatchUp ticks are ever owed; a longer stall drops the rest.
*/
class TickClock
{
public:
    /** Milliseconds on a steady scale. */
    using Clock = std::function<double()>;

    /** The program's clock: JUCE's high-resolution millisecond counter. */
    static double steadyMilliseconds() { return juce::Time::getMillisecondCounterHiRes(); }

    /** Ticks owed at most after a stall. */
    static constexpr int maxCatchUp = 50;

    /** Ticks, and so firmware packets, run at most within one timer callback. */
    static constexpr int maxTicksPerCallback = 4;

    /** The timer interval while nothing is pending; a countdown or stream started meanwhile
        begins at most this late. */
    static constexpr int quietIntervalMs = 10;

    explicit TickClock (Clock clockToUse = steadyMilliseconds);

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
