#pragma once

#include "InstrumentRecords.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <utility>
#include <vector>

/** One frame of the instrument's system-exclusive protocol, F0 to F7 inclusive. */
using Midi9Bytes = std::vector<u8>;

//==============================================================================
// Envelope
constexpr u8 M9_MANUFACTURER_ID = 0x09;

// Frame kinds (byte 2)
constexpr u8 M9_FRAME_COMMAND = 0x00;
constexpr u8 M9_FRAME_UMP = 0x21;
constexpr u8 M9_FRAME_TUNNEL = 0x30; // plus the packet's message type
constexpr u8 M9_FRAME_BOARD_CONFIG = 0x5A;

// Flag byte of command frames
constexpr u8 M9_FLAG_QUERY = 0x00;
constexpr u8 M9_FLAG_SET = 0x01;

//==============================================================================
// Command bytes (byte 3 of a command frame)
constexpr u8 M9_OUT_VELOCITY_MODE = 0x00;
constexpr u8 M9_OUT_RAW_POSITION_MODE = 0x01;
constexpr u8 M9_OUT_SCALED_POSITION_MODE = 0x02;
constexpr u8 M9_OUT_MUTE_MODE = 0x09;
constexpr u8 M9_KEY_ADJUST = 0x0A;
constexpr u8 M9_PARAMETER_RESET = 0x0B;
constexpr u8 M9_DEEP_CHILL = 0x0C;
constexpr u8 M9_VELOCITY_SENSITIVITY = 0x11;
constexpr u8 M9_VELOCITY_INTERCEPT = 0x12;
constexpr u8 M9_LINEAR_VELOCITY_GAIN = 0x13;
constexpr u8 M9_RELEASE_POSITION = 0x14;
constexpr u8 M9_AFTER_PRESSURE_GAIN = 0x15;
constexpr u8 M9_PARAM_16 = 0x16;
constexpr u8 M9_WINDOW_SIZE = 0x17;
constexpr u8 M9_AFTER_PRESSURE_RESOLUTION = 0x18;
constexpr u8 M9_PARAM_1B = 0x1B;
constexpr u8 M9_MINIMUM_VELOCITY = 0x1C;
constexpr u8 M9_VELOCITY_CURVE = 0x1D;
constexpr u8 M9_BOARD_SIZE = 0x1F;
constexpr u8 M9_SERIAL_NUMBER = 0x21;
constexpr u8 M9_PEDAL = 0x23;
constexpr u8 M9_PARAM_24 = 0x24;
constexpr u8 M9_GET_FIRMWARE_STATUS = 0x26;
constexpr u8 M9_FIRMWARE_STEP_2 = 0x27;
constexpr u8 M9_TEXT_LINE = 0x29;
constexpr u8 M9_KEY_SPLIT = 0x2C;
constexpr u8 M9_MIDDLE_C_REFERENCE = 0x2D;
constexpr u8 M9_MIDI_CHANNEL = 0x2E;
constexpr u8 M9_SUSTAIN = 0x40;
constexpr u8 M9_FACTORY_RESTORE = 0x52;

// Arguments of M9_KEY_ADJUST
constexpr u8 KEY_ADJUST_FIXED_MODE = 0x0A;
constexpr u8 KEY_ADJUST_DOWN_POSITIONS = 0x0C;

//==============================================================================
// Pedal frames: one selector byte and one value byte per pair
constexpr u8 M9_PEDAL_WRITE_BIT = 0x40;

constexpr u8 PEDAL_FRONT = 0;
constexpr u8 PEDAL_BACK = 1;
constexpr u8 PEDAL_AUX_2 = 2;
constexpr u8 PEDAL_AUX_3 = 3;

constexpr u8 PEDAL_FIELD_MODE = 0;
constexpr u8 PEDAL_FIELD_HYSTERESIS = 1;
constexpr u8 PEDAL_FIELD_CONTROLLER = 2;
constexpr u8 PEDAL_FIELD_4 = 4;
constexpr u8 PEDAL_FIELD_5 = 5;
constexpr u8 PEDAL_FIELD_POLARITY = 6;
constexpr u8 PEDAL_FIELD_CHANNEL = 9;

constexpr u8 PEDAL_MODE_OFF = 0;
constexpr u8 PEDAL_MODE_SWITCH = 1;
constexpr u8 PEDAL_MODE_SMOOTH = 2;
constexpr u8 PEDAL_MODE_RAW = 3;
constexpr u8 PEDAL_MODE_CALIBRATE = 0x0A;

//==============================================================================
/** F0 09 00 cmd 01 v v v v F7. The key split inverts the flag: 00 with a note, 01 and zeros for off.
    A value above 127 cannot travel in a frame and is sent as 127. */
Midi9Bytes midi9_set_frame (u8 command, int value);

/** F0 09 00 cmd 00 00 00 00 00 F7; the board-size query carries six zero bytes instead of five. */
Midi9Bytes midi9_query_frame (u8 command);

/** F0 09 00 cmd F7. */
Midi9Bytes midi9_short_command (u8 command);

/** F0 09 00 cmd arg F7. */
Midi9Bytes midi9_short_command (u8 command, u8 argument);

/** The selector byte of one pedal pair. */
u8 midi9_pedal_selector (u8 pedal, u8 field, bool write);

/** F0 09 00 23 (selector value)... F7. */
Midi9Bytes midi9_pedal_frame (const std::vector<std::pair<u8, u8>>& selectorValuePairs);

/** F0 09 5A 00 (board x 16 + 0C) 41 size F7, board 1 to 4. */
Midi9Bytes board_config_query (int board, u8 size);

/** The frame as a MIDI message, ready to send. */
juce::MidiMessage midi9_message (const Midi9Bytes& frame);

/** True when the bytes form a well-made frame: F0, manufacturer 09, 7-bit body, F7. */
bool midi9_is_valid_frame (const u8* bytes, int size);
