#include "TickClock.h"

#include <cmath>

TickClock::TickClock (Clock clockToUse) : clock (std::move (clockToUse))
{
}

int TickClock::takeDueTicks()
{
    const auto now = clock();

    if (!counting || now < lastRunMs)
    {
        const auto due = counting ? 0 : 1;
        counting = true;
        lastRunMs = now;
        return due;
    }

    const auto elapsed = std::floor (now - lastRunMs);

    if (elapsed >= (double) maxCatchUp)
    {
        lastRunMs = now;
        return maxCatchUp;
    }

    // The fraction of a millisecond left over counts towards the next tick.
    lastRunMs += elapsed;
    return (int) elapsed;
}

int TickClock::nextInterval (const std::function<bool()>& pending)
{
    quiet.store (true);

    if (pending())
    {
        quiet.store (false);
        return 1;
    }

    counting = false;
    return quietIntervalMs;
}
