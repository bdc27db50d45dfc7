#pragma once

#include "Midi9Frame.h"
#include "UmpTransport.h"

//==============================================================================
// The messages that the performance settings travel in, one builder per setting. They do
// no I/O: the caller sends the result through its host's one send path. Values outside a
// setting's range are limited to what the frame can carry.

/** Velocity sensitivity -16..16 as the value byte (v + 103), so 87 to 119. */
Midi9Bytes velocity_sensitivity_frame (int sensitivity);

/** After-pressure gain 0..100; a value above 127 goes as 127. */
Midi9Bytes after_pressure_gain_frame (int gain);

/** The channel list's item id 1..16 as channel byte 0..15. */
Midi9Bytes midi_channel_frame (int channelId);

/** The middle-C reference note of a transpose item (1..12) and an octave item (1..5): 36 to 95. */
int middle_c_reference_note (int transposeId, int octaveId);
Midi9Bytes middle_c_reference_frame (int note);

/** Split note 28..100 with flag 00; anything else switches the split off (flag 01, zeros). */
Midi9Bytes key_split_frame (int note);

/** F0 09 00 23 40 mode F7: the front pedal's mode, 1 on/off, 2 smooth. */
Midi9Bytes sustain_mode_frame (int mode);

/** Velocity curve 0..16. */
Midi9Bytes velocity_curve_frame (int curve);

/** A control change on the channel of the channel list's item id (1..16); channel 1 when none
    is selected. */
juce::MidiMessage channel_control_change (int channelId, int controller, int value);

/** The assignable controller packet of the pressure resolution 2..12. */
_ump_message_struct pressure_resolution_packet (int resolution);

/** The tunnelled packet of the black-key (sharp) pressure offset -15..15:
    F0 09 34 02 40 30 79 0E a b 00 00 00 F7. */
Midi9Bytes sharp_offset_frame (int offset);
