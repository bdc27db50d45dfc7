#include "MidiCi.h"

#include "InstrumentHost.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>
#include <cstring>

namespace
{
constexpr u8 kSysexStart = 0xF0;
constexpr u8 kSysexEnd = 0xF7;
constexpr u8 kBroadcastMuid[4] = { 0x7F, 0x7F, 0x7F, 0x7F };

// Positions from F0
constexpr int kSubIdPos = 4;
constexpr int kVersionPos = 5;
constexpr int kSourcePos = 6;
constexpr int kDestinationPos = 10;
constexpr int kBodyPos = 14;
constexpr int kTestBytes = 48;

ci_state initialState()
{
    ci_state s;

    const u8 midi1[5] = { 0x01, 0x00, 0x00, 0x00, 0x00 };
    const u8 midi2[5] = { 0x02, 0x00, 0x00, 0x00, 0x00 };
    std::memcpy (s.protocol_midi1, midi1, 5);
    std::memcpy (s.protocol_midi2, midi2, 5);

    const u8 drawbarProfile[5] = { 0x7E, 0x21, 0x00, 0x01, 0x01 };
    const u8 secondProfile[5] = { 0x7E, 0x40, 0x01, 0x01, 0x01 };

    s.profiles[0].state = PROFILE_ON;
    std::memcpy (s.profiles[0].id, drawbarProfile, 5);
    s.profiles[0].param = 0;
    s.profiles[0].data = drawbar_bools;

    s.profiles[1].state = PROFILE_OFF;
    std::memcpy (s.profiles[1].id, secondProfile, 5);
    s.profiles[1].param = 2;
    s.profiles[1].data = drawbar_bools;

    s.hex_dump = 0;
    return s;
}

juce::String padded (const char* text, int width)
{
    return juce::String (text).paddedRight (' ', width);
}

const char* labelFor (u8 subId)
{
    switch (subId)
    {
        case CIM_PROTOCOL_INQUIRY:
            return "CIM_PROTOCOL_INQUIRY";
        case CIM_PROTOCOL_CAPABILITIES:
            return "CIM_PROTOCOL_CAPABILITIES";
        case CIM_SET_NEW_SELECTED_PROTOCOL:
            return "CIM_SET_NEW_SELECTED_PROTOCOL";
        case CIM_TEST_NEW_PROTOCOL_I2R:
            return "CIM_TEST_NEW_PROTOCOL_I2R";
        case CIM_TEST_NEW_PROTOCOL_R2I:
            return "CIM_TEST_NEW_PROTOCOL_R2I";
        case CIM_PROTOCOL_ESTABLISHED:
            return "CIM_PROTOCOL_ESTABLISHED";
        case CIM_PROFILE_INQUIRY:
            return "CIM_PROFILE_INQUIRY";
        case CIM_PROFILE_CAPABILITIES:
            return "CIM_PROFILE_CAPABILITIES";
        case CIM_SET_PROFILE_ON:
            return "CIM_SET_PROFILE_ON";
        case CIM_SET_PROFILE_OFF:
            return "CIM_SET_PROFILE_OFF";
        case CIM_PROFILE_ENABLED:
            return "CIM_PROFILE_ENABLED";
        case CIM_PROFILE_DISABLED:
            return "CIM_PROFILE_DISABLED";
        case CIM_PROFILE_SPECIFIC_DATA:
            return "CIM_PROFILE_SPECIFIC_DATA";
        case CIM_PROPERTY_EXCHANGE_INQUIRY:
            return "CIM_PROPERTY_EXCHANGE_INQUIRY";
        case CIM_PROPERTY_EXCHANGE_REPLY:
            return "CIM_PROPERTY_EXCHANGE_REPLY";
        case CIM_DISCOVERY_INQUIRY:
            return "CIM_DISCOVERY_INQUIRY";
        case CIM_DISCOVERY_REPLY:
            return "CIM_DISCOVERY_REPLY";
        case CIM_INVALIDATE_MUID:
            return "CIM_INVALIDATE_MUID";
        case CIM_NAK:
            return "CIM_NAK";
        default:
            return nullptr;
    }
}

void logAnswer (const char* step)
{
    if (cis.log_ci != 0)
        pops->logOutMessage (juce::String ("CI out from ") + step + juce::String::repeatedString (" ", 15));
}

bool isOwnMuid (const u8* muid)
{
    return std::memcmp (muid, gs3::muid, 4) == 0;
}

/** Answers go back to whoever sent the message, from us. */
void swapMuids (u8* m)
{
    std::memmove (m + kDestinationPos, m + kSourcePos, 4);
    std::memcpy (m + kSourcePos, gs3::muid, 4);
}

/** Own profile entry with this ID; empty entries never match. */
profile_info* findOwnProfile (const u8* id)
{
    for (auto& entry : cis.profiles)
        if (entry.state != PROFILE_EMPTY && std::memcmp (entry.id, id, 5) == 0)
            return &entry;

    return nullptr;
}

/** True when positions 15 to 62 hold 00 to 2F and the message ends right after them.
    The caller has made sure that they all arrived. */
bool testBytesAreRight (const u8* m, int length)
{
    if (length != kBodyPos + 1 + kTestBytes)
        return false;

    for (int i = 0; i < kTestBytes; ++i)
        if (m[kBodyPos + 1 + i] != i)
            return false;

    return true;
}

/** Sends the message in msg as a report to all: our MUID, broadcast, the profile ID, F7. */
void sendProfileReport (u8* m, u8 subId, const char* step)
{
    m[kSubIdPos] = subId;
    std::memcpy (m + kSourcePos, gs3::muid, 4);
    std::memcpy (m + kDestinationPos, kBroadcastMuid, 4);
    m[kBodyPos + 5] = kSysexEnd;
    xmit_ci_packet (m);
    logAnswer (step);
}

void remoteProfileLists (const u8* m, int length)
{
    // Positions below length hold data bytes; the whole list must be there before any of it is used.
    const auto has = [length] (int lastPosition) { return lastPosition < length; };

    int pos = kBodyPos;

    if (!has (pos + 1))
        return;

    const int enabledCount = m[pos] | (m[pos + 1] << 7);
    const int enabledStart = pos + 2;
    pos = enabledStart + 5 * enabledCount;

    if (!has (pos + 1))
        return;

    const int disabledCount = m[pos] | (m[pos + 1] << 7);
    const int disabledStart = pos + 2;

    if (!has (disabledStart + 5 * disabledCount - 1))
        return;

    // The messages we send are built apart from msg, which still holds the lists.
    for (int i = 0; i < enabledCount; ++i)
    {
        const u8* id = m + enabledStart + 5 * i;
        auto& remote = cis.remote_profiles[0];
        remote.state = PROFILE_ON;
        std::memcpy (remote.id, id, 5);

        xmit_simple_profile (findOwnProfile (id) != nullptr ? CIM_PROFILE_ENABLED : CIM_SET_PROFILE_OFF, id);
    }

    for (int i = 0; i < disabledCount; ++i)
    {
        const u8* id = m + disabledStart + 5 * i;

        if (i < 4)
        {
            auto& remote = cis.remote_profiles[i];
            remote.state = PROFILE_OFF;
            std::memcpy (remote.id, id, 5);
        }

        if (findOwnProfile (id) != nullptr)
            xmit_simple_profile (CIM_SET_PROFILE_ON, id);
    }
}

void profileInquiryReply (u8* m)
{
    swapMuids (m);
    m[kSubIdPos] = CIM_PROFILE_CAPABILITIES;

    int pos = kBodyPos;

    for (const u8 state : { PROFILE_ON, PROFILE_OFF })
    {
        const int countPos = pos;
        int count = 0;
        pos += 2;

        for (const auto& entry : cis.profiles)
        {
            if (entry.state == state)
            {
                std::memcpy (m + pos, entry.id, 5);
                pos += 5;
                ++count;
            }
        }

        m[countPos] = (u8) (count & 0x7F);
        m[countPos + 1] = (u8) ((count >> 7) & 0x7F);
    }

    m[pos] = kSysexEnd;
    xmit_ci_packet (m);
    logAnswer ("service_profile_inquiry");
}

void discoveryReply (u8* m)
{
    std::memcpy (cis.remote_identity, m + kBodyPos, 16);

    if (m[14] == 0x09 && m[15] == 0x00 && m[16] == 0x00)
    {
        pops->logOutMessage (juce::String::formatted ("version %2d.%d.%d-%d", m[21], m[22], m[23], m[24]));
        pops->ciSoftwareRevision =
            (u32) m[21] | ((u32) m[22] << 8) | ((u32) m[23] << 16) | ((u32) m[24] << 24);
    }

    swapMuids (m);
    m[kSubIdPos] = CIM_PROTOCOL_INQUIRY;
    m[kBodyPos] = CI_AUTHORITY_LEVEL;
    m[15] = 2;
    std::memcpy (m + 16, cis.protocol_midi1, 5);
    std::memcpy (m + 21, cis.protocol_midi2, 5);
    m[26] = kSysexEnd;
    xmit_ci_packet (m);
    logAnswer ("service_discovery_reply");
}
} // namespace

//==============================================================================
const u8 drawbar_bools[4] = { 0x06, 0x00, 0x00, 0x00 };

const u8 ci_identity_reply[16] = { 0x09, 0x00, 0x00, // manufacturer
                                   0x01, 0x00, // family
                                   0x01, 0x00, // model
                                   0x01, 0x05, 0x00, 0x00, // software revision
                                   0x06, // capability
                                   0x00, 0x01, 0x00, 0x00 }; // maximum system-exclusive size

const u8 ci_discovery_inquiry_msg[31] = { 0xF0, 0x7E, 0x7F, 0x0D, 0x70, 0x01, 0x04, 0x05, 0x06, 0x07, 0x7F,
                                          0x7F, 0x7F, 0x7F, 0x7D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
                                          0x00, 0x00, 0x00, 0x0E, 0x00, 0x10, 0x00, 0x00, 0xF7 };

namespace gs3
{
u8 muid[4] = { 0x04, 0x05, 0x06, 0x07 };
} // namespace gs3

ci_state cis = initialState();

void ci_init_state()
{
    const u8 own[4] = { 0x04, 0x05, 0x06, 0x07 };
    std::memcpy (gs3::muid, own, 4);
    cis = initialState();
}

//==============================================================================
void xmit_ci_packet (const u8* buf, u8)
{
    if (buf == nullptr || buf[0] != kSysexStart || pops == nullptr)
        return;

    int size = 0;

    for (int i = 1; i < 255; ++i)
    {
        if (buf[i] == kSysexEnd)
        {
            size = i + 1;
            break;
        }
    }

    // A message that does not end within the limit is never sent cut short.
    if (size == 0)
        return;

    if (cis.hex_dump != 0)
    {
        pops->logOutMessage ({});
        pops->logOutMessage ("xmit_ci_packet " + juce::String::toHexString (buf, size));
    }

    pops->sendToInstrument (juce::MidiMessage (buf, size));
}

void nack_it (u8* m)
{
    // The header of the refused message, turned round; a MIDI-CI 1.1 NAK carries nothing more.
    m[kSubIdPos] = CIM_NAK;
    swapMuids (m);
    m[kBodyPos] = kSysexEnd;

    logAnswer ("nack_it");

    xmit_ci_packet (m);
}

void xmit_simple_profile (u8 subId, const u8* profileId)
{
    u8 message[20] = { kSysexStart, 0x7E, 0x7F, 0x0D, subId, CI_VERSION };
    std::memcpy (message + kSourcePos, gs3::muid, 4);
    std::memcpy (message + kDestinationPos, kBroadcastMuid, 4);
    std::memcpy (message + kBodyPos, profileId, 5);
    message[19] = kSysexEnd;

    logAnswer ("xmit_simple_profile");

    xmit_ci_packet (message);
}

void send_protocol_test_message()
{
    auto* t = cis.test_msg;
    const u8 header[6] = { kSysexStart, 0x7E, 0x7F, 0x0D, CIM_TEST_NEW_PROTOCOL_I2R, CI_VERSION };
    std::memcpy (t, header, 6);
    std::memcpy (t + kSourcePos, cis.msg + kSourcePos, 8);
    t[kBodyPos] = CI_AUTHORITY_LEVEL;

    for (int i = 0; i < kTestBytes; ++i)
        t[kBodyPos + 1 + i] = (u8) i;

    t[kBodyPos + 1 + kTestBytes] = kSysexEnd;
    xmit_ci_packet (t);

    if (cis.log_ci != 0)
        pops->logOutMessage ("CI out from send_protocol_test_message i2r ");
}

//==============================================================================
void check_ci_stuff (const u8* data, int length, u8 logging)
{
    if (data == nullptr || pops == nullptr)
        return;

    cis.log_ci = logging;

    // Header and F7 at least, and room in msg; every byte before the closing F7 must be a
    // data byte, so that the first F7 in msg is always this message's own end.
    if (length < kBodyPos || length + 1 > (int) sizeof (cis.msg) || data[length - 1] != kSysexEnd)
        return;

    for (int i = 0; i < length - 1; ++i)
        if (data[i] >= 0x80)
            return;

    if (data[0] != 0x7E || data[1] != 0x7F || data[2] != 0x0D || data[kVersionPos - 1] != CI_VERSION)
        return;

    auto* m = cis.msg;
    m[0] = kSysexStart;
    std::memcpy (m + 1, data, (size_t) length);
    std::fill (m + 1 + length, m + sizeof (cis.msg), (u8) 0);

    // Position p holds a received data byte when p < length; position length is the F7.
    const auto has = [length] (int lastPosition) { return lastPosition < length; };
    const u8 subId = m[kSubIdPos];

    const bool broadcastKind = subId == CIM_PROFILE_ENABLED || subId == CIM_PROFILE_DISABLED
                               || subId == CIM_DISCOVERY_INQUIRY || subId == CIM_INVALIDATE_MUID;

    if (!isOwnMuid (m + kDestinationPos) && !broadcastKind)
    {
        nack_it (m);
        return;
    }

    const auto* label = labelFor (subId);

    if (label == nullptr)
        return;

    if (cis.log_ci != 0)
        pops->logMessage (padded (label, 29));

    switch (subId)
    {
        case CIM_PROTOCOL_INQUIRY:
            if (!has (15))
                return;

            if (m[15] == 0)
            {
                nack_it (m);
                return;
            }

            swapMuids (m);
            m[kBodyPos] = CI_AUTHORITY_LEVEL;
            m[kSubIdPos] = CIM_PROTOCOL_CAPABILITIES;
            m[15] = 1;
            std::memcpy (m + 16, cis.protocol_midi1, 5);
            m[21] = kSysexEnd;
            xmit_ci_packet (m);
            logAnswer ("service_protocol_inquiry");
            return;

        case CIM_PROTOCOL_CAPABILITIES:
            if (!has (15))
                return;

            if (m[15] == 0)
            {
                nack_it (m);
                return;
            }

            swapMuids (m);
            m[kBodyPos] = CI_AUTHORITY_LEVEL;
            m[kSubIdPos] = CIM_SET_NEW_SELECTED_PROTOCOL;
            std::memcpy (m + 15, cis.protocol_midi1, 5);
            m[20] = kSysexEnd;
            xmit_ci_packet (m);
            logAnswer ("service_protocol_capabilities");
            pops->startupStep = 1;
            return;

        case CIM_TEST_NEW_PROTOCOL_I2R:
            if (!has (kBodyPos + kTestBytes))
                return;

            if (!testBytesAreRight (m, length))
            {
                nack_it (m);
                return;
            }

            swapMuids (m);
            m[kBodyPos] = CI_AUTHORITY_LEVEL;
            m[kSubIdPos] = CIM_TEST_NEW_PROTOCOL_R2I;
            xmit_ci_packet (m);
            logAnswer ("service_test_new_protocol_i2r");
            return;

        case CIM_TEST_NEW_PROTOCOL_R2I:
            if (!has (kBodyPos + kTestBytes))
                return;

            if (!testBytesAreRight (m, length))
            {
                nack_it (m);
                return;
            }

            // The confirmation carries its authority level, as every protocol negotiation message does.
            swapMuids (m);
            m[kSubIdPos] = CIM_PROTOCOL_ESTABLISHED;
            m[kBodyPos] = CI_AUTHORITY_LEVEL;
            m[kBodyPos + 1] = kSysexEnd;
            xmit_ci_packet (m);

            if (cis.log_ci != 0)
                pops->logOutMessage (
                    "CI out from service_test_new_protocol_r2i  CIM_PROTOCOL_ESTABLISHED             ");
            return;

        case CIM_PROTOCOL_ESTABLISHED:
            swapMuids (m);
            m[kSubIdPos] = CIM_PROFILE_INQUIRY;
            m[kBodyPos] = kSysexEnd;
            xmit_ci_packet (m);
            logAnswer ("service_protocol_established");
            return;

        case CIM_PROFILE_INQUIRY:
            profileInquiryReply (m);
            return;

        case CIM_PROFILE_CAPABILITIES:
            remoteProfileLists (m, length);
            return;

        case CIM_SET_PROFILE_ON:
            if (!has (kBodyPos + 4))
                return;

            // A profile we do not have stays off, and we say so.
            if (auto* entry = findOwnProfile (m + kBodyPos))
            {
                entry->state = PROFILE_ON;
                sendProfileReport (m, CIM_PROFILE_ENABLED, "service_set_profile_on");
            }
            else
            {
                sendProfileReport (m, CIM_PROFILE_DISABLED, "service_set_profile_on");
            }
            return;

        case CIM_SET_PROFILE_OFF:
            if (!has (kBodyPos + 4))
                return;

            if (auto* entry = findOwnProfile (m + kBodyPos))
            {
                sendProfileReport (m, CIM_PROFILE_DISABLED, "service_set_profile_off");
                entry->state = PROFILE_OFF;
            }
            return;

        case CIM_PROFILE_ENABLED:
        case CIM_PROFILE_DISABLED:
            if (!has (kBodyPos + 4))
                return;

            if (auto* entry = findOwnProfile (m + kBodyPos))
                entry->state = subId == CIM_PROFILE_ENABLED ? PROFILE_ON : PROFILE_OFF;
            return;

        case CIM_PROFILE_SPECIFIC_DATA:
        {
            if (!has (22))
                return;

            const int dataLength = m[19] | (m[20] << 7) | (m[21] << 14) | (m[22] << 21);

            // The data must all have arrived, ending just before the F7.
            if (dataLength > length - 23)
                return;

            std::memcpy (cis.profile_data, m + 23, (size_t) dataLength);
            cis.profile_data_length = dataLength;
            cis.profiles[0].data = cis.profile_data;
            cis.profiles[0].state = PROFILE_ON;
            return;
        }

        case CIM_DISCOVERY_INQUIRY:
            swapMuids (m);
            m[kSubIdPos] = CIM_DISCOVERY_REPLY;
            std::memcpy (m + kBodyPos, ci_identity_reply, 16);
            m[kBodyPos + 16] = kSysexEnd;
            xmit_ci_packet (m);
            logAnswer ("service_discovery_inquiry");
            return;

        case CIM_DISCOVERY_REPLY:
            if (!has (29))
                return;

            discoveryReply (m);
            return;

        default:
            return;
    }
}
