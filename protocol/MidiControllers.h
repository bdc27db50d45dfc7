#pragma once

#include "UmpTransport.h"

//==============================================================================
// MIDI 2.0 controller messages: word 0 is the base plus bank x 256 + index, word 1 the value.
constexpr u32 UMP_RPN_BASE = 0x40200000; // registered, status 2
constexpr u32 UMP_NRPN_BASE = 0x40300000; // assignable, status 3

constexpr std::uint16_t RPN_KEY_PARAM_4140 = 0x4140;
constexpr std::uint16_t RPN_VELOCITY_MIN = 0x4141;
constexpr std::uint16_t RPN_SOFT_LEVEL = 0x4142;
constexpr std::uint16_t RPN_HARD_LEVEL = 0x4143;
constexpr std::uint16_t RPN_NOTE_ON_POSITION = 0x4145;
constexpr std::uint16_t RPN_NOTE_OFF_POSITION = 0x4146;
constexpr std::uint16_t RPN_STEP_NUMBER = 0x412F;

constexpr std::uint16_t NRPN_SHARP_ADJUST = 0xF905;
constexpr std::uint16_t NRPN_SUSTAIN_MODE = 0xF907;
constexpr std::uint16_t NRPN_PRESSURE_RESOLUTION = 0xF90D;
constexpr std::uint16_t NRPN_SHARP_OFFSET = 0xF90E;
constexpr std::uint16_t NRPN_KEY_PARAM_F940 = 0xF940;
constexpr std::uint16_t NRPN_CALIBRATION_MODE = 0xF942;

constexpr u32 CAL_MODE_ALL_POSITIONS = 6u << 25;
constexpr u32 CAL_MODE_DOWN_POSITIONS = 4u << 25;

/** Word 0 of the Flex Data packet that asks the instrument for a controller report. */
constexpr u32 UMP_CONTROLLER_REPORT_REQUEST = 0xD001F000;

/** The last resolution or offset taken from a report. */
extern int mcr_test;

//==============================================================================
/** {UMP_RPN_BASE + number, value}. */
_ump_message_struct rpn_message (std::uint16_t number, u32 value);

/** {UMP_NRPN_BASE + number, value}. */
_ump_message_struct nrpn_message (std::uint16_t number, u32 value);

// The value (word 1) each controller is sent with; inputs outside a controller's range are limited to it.
u32 velocity_min_value (float minimum); // 1..16 x 2^25
u32 soft_level_value (float level); // 0.05..0.5 x 2^28
u32 hard_level_value (float level); // 1..16 x 2^28; 16 goes as 15.9, which still fits
u32 key_position_value (float percent); // note-on and note-off position, 10..75 %
u32 step_number_value (float step); // 0..32 x 2^25
u32 sharp_adjust_value (int adjust); // (adjust + 47) << 25, adjust -46..16
u32 pressure_resolution_value (int resolution); // resolution 2..12 << 25
u32 sharp_offset_value (int offset); // (offset + 64) << 25, offset -15..15

//==============================================================================
/** The Flex Data packet asking for a report of one assignable controller (NRPN_SHARP_OFFSET ...). */
_ump_message_struct controller_report_request_packet (std::uint16_t controller);

/** Sends controller_report_request_packet in an F0 09 3D frame. */
void controller_report_request (std::uint16_t controller);

/** Stores one controller report from the instrument and logs it. */
void post_controller_report (const _ump_message_struct& message);

/** A controller report carried in words 2 and 3 of a larger packet (Flex Data, SysEx8 status). */
void post_carried_controller_report (const _ump_message_struct& packet);

/** Handles a key position report (a MIDI 2.0 channel voice packet from the instrument). */
void handle_key_position_report (const _ump_message_struct& message);
