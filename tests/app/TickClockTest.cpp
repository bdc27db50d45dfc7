#include "app/TickClock.h"

#include <gtest/gtest.h>

namespace
{
constexpr double quiet = -1.0; // the callback found nothing pending
constexpr double busy = -2.0; // the callback found work pending

struct Step
{
    double nowMs; // a callback at this clock reading, or quiet / busy
    int ticks; // ticks due at that reading
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
        { "a stall is made up", { { 0, 1 }, { 1, 1 }, { 31.5, 30 }, { 32, 1 } } },
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
            EXPECT_EQ (clock.takeDueTicks(), step.ticks) << row.what << " at " << now;
        }
    }
}
