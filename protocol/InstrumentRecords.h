#pragma once

#include <atomic>
#include <cstdint>

using u8 = std::uint8_t;
using u32 = std::uint32_t;

/** The instrument's keys are MIDI notes 28 to 100; per-key arrays hold one entry per key. */
constexpr int kLowestKeyNote = 28;
constexpr int kHighestKeyNote = 100;
constexpr int kNumKeys = kHighestKeyNote - kLowestKeyNote + 1;

/** Which received messages become monitor lines. */
struct MonitorFilterFlags
{
    u8 noteOn = 1;
    u8 noteOff = 1;
    u8 replies = 0;
    u8 pressure = 1;
    u8 sysex = 0;
    u8 timeStamp = 0;
    u8 sustain = 1;
    u8 controllers = 1;
};

/** Key-calibration state. Read on the MIDI thread while the message thread writes it. */
struct CalibrationFlags
{
    std::atomic<u8> active { 0 };
    std::atomic<u8> restMode { 0 };
    std::atomic<u8> downMode { 0 };
    std::atomic<u8> keysReset { 0 };
};

/** Split zones drawn by the on-screen keyboard; 27 or lower in upperZoneFirstNote means no split. */
struct KeySplitZones
{
    u8 upperZoneFirstNote = 101;
    u8 unused = 0;
    u8 lowerZoneLastNote = 100;
};

/** One MIDI 2.0 controller value reported by the instrument. */
struct ControllerReport
{
    u8 received = 0;
    float value = 0.0f;
};
