#include "TickClock.h"

#include <algorithm>
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

    // Ticks owed beyond maxCatchUp are dropped; the fraction of a millisecond left over
    // counts towards the next tick.
    lastRunMs = std::max (lastRunMs, now - (double) maxCatchUp);
    const auto due = std::min ((int) std::floor (now - lastRunMs), maxTicksPerCallback);
    lastRunMs += due;
    return due;
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
