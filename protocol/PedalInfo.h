#pragma once

#include "InstrumentRecords.h"

#include <array>

/** What the instrument last reported about one pedal. */
struct pedal_info
{
    u8 mode = 0;
    u8 hysteresis = 0;
    u8 param_4 = 0;
    u8 param_5 = 0;
    u8 controller = 0; // MIDI controller number
    u8 polarity = 0; // bit 0 set: inverted
    u8 channel = 0; // 0..15
};

/** One record per pedal: front, back, aux 2, aux 3. */
extern std::array<pedal_info, 4> PedInfo;
