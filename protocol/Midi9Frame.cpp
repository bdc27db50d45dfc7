#include "Midi9Frame.h"

#include <algorithm>

namespace
{
constexpr u8 kSysexStart = 0xF0;
constexpr u8 kSysexEnd = 0xF7;

u8 toDataByte (int value)
{
    return (u8) std::clamp (value, 0, 127);
}
} // namespace

Midi9Bytes midi9_set_frame (u8 command, int value)
{
    const auto v = toDataByte (value);

    // The key split inverts the flag: a split note goes with 00, "off" (all zeros) with 01.
    const auto flag = (command == M9_KEY_SPLIT && v != 0) ? M9_FLAG_QUERY : M9_FLAG_SET;

    return { kSysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, command, flag, v, v, v, v, kSysexEnd };
}

Midi9Bytes midi9_query_frame (u8 command)
{
    Midi9Bytes frame {
        kSysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, command, M9_FLAG_QUERY, 0, 0, 0, 0
    };

    if (command == M9_BOARD_SIZE)
        frame.push_back (0);

    frame.push_back (kSysexEnd);
    return frame;
}

Midi9Bytes midi9_short_command (u8 command)
{
    return { kSysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, command, kSysexEnd };
}

Midi9Bytes midi9_short_command (u8 command, u8 argument)
{
    return { kSysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, command, (u8) (argument & 0x7F), kSysexEnd };
}

u8 midi9_pedal_selector (u8 pedal, u8 field, bool write)
{
    return (u8) ((write ? M9_PEDAL_WRITE_BIT : 0) | ((pedal & 0x03) << 4) | (field & 0x0F));
}

Midi9Bytes midi9_pedal_frame (const std::vector<std::pair<u8, u8>>& selectorValuePairs)
{
    Midi9Bytes frame { kSysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, M9_PEDAL };

    for (auto [selector, value] : selectorValuePairs)
    {
        frame.push_back ((u8) (selector & 0x7F));
        frame.push_back ((u8) (value & 0x7F));
    }

    frame.push_back (kSysexEnd);
    return frame;
}

Midi9Bytes board_config_query (int board, u8 size)
{
    return { kSysexStart,
             M9_MANUFACTURER_ID,
             M9_FRAME_BOARD_CONFIG,
             0x00,
             (u8) ((board * 16 + 0x0C) & 0x7F),
             0x41,
             toDataByte (size),
             kSysexEnd };
}

juce::MidiMessage midi9_message (const Midi9Bytes& frame)
{
    return juce::MidiMessage (frame.data(), (int) frame.size());
}

bool midi9_is_valid_frame (const u8* bytes, int size)
{
    if (bytes == nullptr || size < 4 || bytes[0] != kSysexStart || bytes[1] != M9_MANUFACTURER_ID
        || bytes[size - 1] != kSysexEnd)
        return false;

    return std::all_of (bytes + 1, bytes + size - 1, [] (u8 b) { return b <= 0x7F; });
}
