#include "app/MainTickPacer.h"

#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace
{
constexpr double quiet = -1.0; // the callback found nothing pending
constexpr double busy = -2.0; // the callback found work pending

struct Step
{
    double nowMs; // callbacks at this clock reading until none is due, or quiet / busy
    int ticks; // ticks due in all at that reading
};

struct Row
{
    const char* what;
    std::vector<Step> steps;
};
} // namespace

TEST (TickClock, RunsOneTickPerElapsedMillisecond)
{
    const std::vector<Row> rows {
        { "callbacks late and early",
          { { 100, 1 }, { 101, 1 }, { 102.6, 1 }, { 103.4, 1 }, { 103.9, 0 }, { 104.1, 1 } } },
        { "a stall is made up, a few ticks a callback", { { 0, 1 }, { 1, 1 }, { 31.5, 30 }, { 32, 1 } } },
        { "a long stall is capped, the rest dropped",
          { { 0, 1 }, { 5000, TickClock::maxCatchUp }, { 5000.9, 0 }, { 5001, 1 } } },
        { "a clock that jumps back", { { 1000, 1 }, { 1003, 3 }, { 10, 0 }, { 10.5, 0 }, { 11, 1 } } },
        { "waking from quiet owes nothing",
          { { 0, 1 }, { busy, 0 }, { 2, 2 }, { quiet, 0 }, { 90, 1 }, { 92, 2 } } },
    };

    for (const auto& row : rows)
    {
        double now = 0.0;
        TickClock clock ([&now] { return now; });

        for (const auto& step : row.steps)
        {
            if (step.nowMs == quiet || step.nowMs == busy)
            {
                const bool pending = step.nowMs == busy;
                EXPECT_EQ (clock.nextInterval ([&] { return pending; }),
                           pending ? 1 : TickClock::quietIntervalMs)
                    << row.what;
                EXPECT_EQ (clock.wakeNeeded(), !pending) << row.what;
                EXPECT_FALSE (clock.wakeNeeded()) << row.what << ": one wake-up per quiet spell";
                continue;
            }

            now = step.nowMs;
            int ticks = 0;
            for (int due; (due = clock.takeDueTicks()) > 0; ticks += due)
                EXPECT_LE (due, TickClock::maxTicksPerCallback) << row.what << ": a burst at " << now;
            EXPECT_EQ (ticks, step.ticks) << row.what << " at " << now;
        }
    }
}

TEST (MainTickPacer, WorkHandedOverWhileGoingQuietIsSeenByTheDecisionOrByTheWake)
{
    struct IdleTimer : juce::MultiTimer
    {
        void timerCallback (int) override { } // only the pacer's own wake-up runs ticks here
    } timer;

    for (const bool seenByTheDecision : { true, false })
    {
        int handedOver = 0, worked = 0;
        std::function<void()> handOver;
        MainTickPacer pacer (
            timer, 1, [&] { worked = handedOver; },
            [&]
            {
                // The other thread hands work over once, just before or just after the pacer looks
                const auto now = std::exchange (handOver, nullptr);
                if (now && seenByTheDecision)
                    now();
                const bool pending = handedOver > worked;
                if (now && !seenByTheDecision)
                    now();
                return pending;
            },
            [] { return 0.0; });
        handOver = [&]
        {
            ++handedOver;
            pacer.workArrived();
        };

        timer.startTimer (1, 1);
        pacer.timerFired();
        if (seenByTheDecision)
            EXPECT_EQ (timer.getTimerInterval (1), 1);
        else
            EXPECT_TRUE (testhelpers::pumpUntil ([&] { return worked == 1; })) << "the wake-up was lost";
        timer.stopTimer (1);
    }
}
