#pragma once

#include "InstrumentRecords.h"

#include <array>

//==============================================================================
// MIDI-CI sub-ID#2 values
constexpr u8 CIM_PROTOCOL_INQUIRY = 0x10;
constexpr u8 CIM_PROTOCOL_CAPABILITIES = 0x11;
constexpr u8 CIM_SET_NEW_SELECTED_PROTOCOL = 0x12;
constexpr u8 CIM_TEST_NEW_PROTOCOL_I2R = 0x13;
constexpr u8 CIM_TEST_NEW_PROTOCOL_R2I = 0x14;
constexpr u8 CIM_PROTOCOL_ESTABLISHED = 0x15;
constexpr u8 CIM_PROFILE_INQUIRY = 0x20;
constexpr u8 CIM_PROFILE_CAPABILITIES = 0x21;
constexpr u8 CIM_SET_PROFILE_ON = 0x22;
constexpr u8 CIM_SET_PROFILE_OFF = 0x23;
constexpr u8 CIM_PROFILE_ENABLED = 0x24;
constexpr u8 CIM_PROFILE_DISABLED = 0x25;
constexpr u8 CIM_PROFILE_SPECIFIC_DATA = 0x2F;
constexpr u8 CIM_PROPERTY_EXCHANGE_INQUIRY = 0x30;
constexpr u8 CIM_PROPERTY_EXCHANGE_REPLY = 0x31;
constexpr u8 CIM_DISCOVERY_INQUIRY = 0x70;
constexpr u8 CIM_DISCOVERY_REPLY = 0x71;
constexpr u8 CIM_INVALIDATE_MUID = 0x7E;
constexpr u8 CIM_NAK = 0x7F;

constexpr u8 CI_VERSION = 0x01;
constexpr u8 CI_AUTHORITY_LEVEL = 0x30;

constexpr u8 PROFILE_EMPTY = 0;
constexpr u8 PROFILE_ON = 1;
constexpr u8 PROFILE_OFF = 2;

//==============================================================================
/** One MIDI-CI profile, our own or one a remote device listed. */
struct profile_info
{
    u8 state = PROFILE_EMPTY;
    u8 id[5] {};
    u32 param = 0;
    const u8* data = nullptr;
};

/** The MIDI-CI work area shared by everything below. */
struct ci_state
{
    u8 msg[256] {}; // the last message received or answer built; index = position from F0
    u8 test_msg[64] {}; // the outgoing protocol test
    u8 protocol_midi1[5] {};
    u8 protocol_midi2[5] {};
    profile_info profiles[4];
    profile_info remote_profiles[4];
    u8 remote_identity[16] {};
    u8 log_ci = 0;
    u8 hex_dump = 0;

    // Profile-specific data last received for own entry 0.
    u8 profile_data[256] {};
    int profile_data_length = 0;
};

extern ci_state cis;

namespace gs3
{
/** Our own MUID, in message order. */
extern u8 muid[4];
} // namespace gs3

/** The block own profiles point their data at. */
extern const u8 drawbar_bools[4];

/** Our identity in Discovery Replies. */
extern const u8 ci_identity_reply[16];

/** The Discovery Inquiry that the main tick sends after a port scan found the instrument. */
extern const u8 ci_discovery_inquiry_msg[31];

//==============================================================================
/** Sets our MUID, protocols and own profiles to their start values and forgets the rest. */
void ci_init_state();

/** Handles one received MIDI-CI message: the bytes after F0 and their count up to and including F7. */
void check_ci_stuff (const u8* data, int length, u8 logging);

/** Sends the message that starts at buf (F0) and ends at its first F7, at most 255 bytes. */
void xmit_ci_packet (const u8* buf, u8 unused = 0);

/** Turns the refused message in msg (as received) into a NAK to its sender and sends it. */
void nack_it (u8* msg);

/** Sends a profile message of our own to all: sub-ID, version, our MUID, broadcast, the ID. */
void xmit_simple_profile (u8 subId, const u8* profileId);

/** Sends a Test New Protocol (initiator to responder) to the MUIDs of the last answer built. */
void send_protocol_test_message();
