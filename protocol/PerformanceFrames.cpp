#include "PerformanceFrames.h"

#include "MidiControllers.h"

#include <algorithm>

Midi9Bytes velocity_sensitivity_frame (int sensitivity)
{
    return midi9_set_frame (M9_VELOCITY_SENSITIVITY, (std::clamp (sensitivity, -16, 16) + 103) & 0xFF);
}

Midi9Bytes after_pressure_gain_frame (int gain)
{
    return midi9_set_frame (M9_AFTER_PRESSURE_GAIN, std::min (gain & 0xFF, 127));
}

Midi9Bytes midi_channel_frame (int channelId)
{
    return midi9_set_frame (M9_MIDI_CHANNEL, std::clamp (channelId - 1, 0, 15));
}

int middle_c_reference_note (int transposeId, int octaveId)
{
    return transposeId + 12 * octaveId + 23;
}

Midi9Bytes middle_c_reference_frame (int note)
{
    return midi9_set_frame (M9_MIDDLE_C_REFERENCE, note & 0xFF);
}

Midi9Bytes key_split_frame (int note)
{
    return midi9_set_frame (M9_KEY_SPLIT, (note >= 28 && note <= 100) ? note : 0);
}

Midi9Bytes sustain_mode_frame (int mode)
{
    return midi9_pedal_frame (
        { { midi9_pedal_selector (PEDAL_FRONT, PEDAL_FIELD_MODE, true), (u8) std::clamp (mode, 0, 127) } });
}

Midi9Bytes velocity_curve_frame (int curve)
{
    return midi9_set_frame (M9_VELOCITY_CURVE, curve);
}

juce::MidiMessage channel_control_change (int channelId, int controller, int value)
{
    const auto channel = std::clamp (channelId - 1, 0, 15);
    return juce::MidiMessage ((u8) (0xB0 + channel), (u8) (controller & 0x7F),
                              (u8) std::clamp (value, 0, 127));
}

_ump_message_struct pressure_resolution_packet (int resolution)
{
    return nrpn_message (NRPN_PRESSURE_RESOLUTION, pressure_resolution_value (resolution));
}

Midi9Bytes sharp_offset_frame (int offset)
{
    const auto message = ump_tunnel_message (nrpn_message (NRPN_SHARP_OFFSET, sharp_offset_value (offset)));
    const auto* bytes = message.getRawData();
    return Midi9Bytes (bytes, bytes + message.getRawDataSize());
}
