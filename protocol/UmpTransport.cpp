#include "UmpTransport.h"

#include "FirmwareStream.h"
#include "InstrumentHost.h"
#include "Midi9Frame.h"
#include "MidiControllers.h"

const u8 ump_message_size_words[16] = { 1, 1, 1, 2, 2, 4, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4 };

namespace
{
constexpr int kMessageTypeSysEx8 = 0x5;
constexpr int kMessageTypeChannelVoice2 = 0x4;
constexpr int kMessageTypeFlexData = 0xD;

void writeWordGroup (u8* group, u32 word)
{
    group[0] = (u8) (((word >> 7) & 1) | ((word >> 14) & 2) | ((word >> 21) & 4) | ((word >> 28) & 8));
    group[1] = (u8) ((word >> 24) & 0x7F);
    group[2] = (u8) ((word >> 16) & 0x7F);
    group[3] = (u8) ((word >> 8) & 0x7F);
    group[4] = (u8) (word & 0x7F);
}

u32 readWordGroup (const u8* group)
{
    auto word = (u32) (group[1] & 0x7F) << 24 | (u32) (group[2] & 0x7F) << 16 | (u32) (group[3] & 0x7F) << 8
                | (u32) (group[4] & 0x7F);

    // Bits 7, 15, 23 and 31 travel in the group's first byte
    for (int bit = 0; bit < 4; ++bit)
        if ((group[0] >> bit) & 1)
            word |= 1u << (7 + 8 * bit);

    return word;
}

void sendToInstrument (const juce::MidiMessage& message)
{
    if (pops != nullptr)
        pops->sendToInstrument (message);
}

juce::MidiMessage packedMessage (const _ump_message_struct& message, bool tunnel)
{
    u8 buf[kUmpSysexMaxBytes];
    const auto size = ump_to_sysex (buf, message);

    if (tunnel)
        buf[1] = (u8) (M9_FRAME_TUNNEL | ump_message_type (message));

    return juce::MidiMessage::createSysExMessage (buf, size);
}
} // namespace

//==============================================================================
int ump_to_sysex (u8* buf, const _ump_message_struct& message)
{
    const auto words = ump_word_count (message);

    buf[0] = M9_MANUFACTURER_ID;
    buf[1] = M9_FRAME_UMP;

    for (int k = 0; k < words; ++k)
        writeWordGroup (buf + 2 + 5 * k, message.word[k]);

    return 2 + 5 * words;
}

bool sysex_to_ump (const u8* data, int length, _ump_message_struct& message)
{
    // Kind bytes and at least the first group, before the type can be read
    if (data == nullptr || length < 2 + 5)
        return false;

    _ump_message_struct result;
    result.word[0] = readWordGroup (data + 2);
    const auto words = ump_word_count (result);

    // The frame is 4 + 5 x words bytes with F0; length counts from the byte after F0
    if (length < 3 + 5 * words)
        return false;

    for (int k = 1; k < words; ++k)
        result.word[k] = readWordGroup (data + 2 + 5 * k);

    message = result;
    return true;
}

juce::MidiMessage ump_sysex_message (const _ump_message_struct& message)
{
    return packedMessage (message, false);
}

juce::MidiMessage ump_tunnel_message (const _ump_message_struct& message)
{
    return packedMessage (message, true);
}

void ump_out (const _ump_message_struct& message)
{
    sendToInstrument (ump_sysex_message (message));
}

void tunnel_ump_out (const _ump_message_struct& message)
{
    sendToInstrument (ump_tunnel_message (message));
}

void parse_tunneled_umps (const u8* data, int length)
{
    if (data == nullptr || length < 2 || data[0] != M9_MANUFACTURER_ID || data[1] != M9_FRAME_UMP)
        return;

    _ump_message_struct message;

    if (!sysex_to_ump (data, length, message))
        return;

    switch (ump_message_type (message))
    {
        case kMessageTypeChannelVoice2:
            handle_key_position_report (message);
            break;

        case kMessageTypeSysEx8:
            handle_sx8_status (message);
            break;

        case kMessageTypeFlexData:
            post_carried_controller_report (message);
            break;

        default:
            break;
    }
}

void logMessage (const char* text)
{
    if (pops != nullptr && text != nullptr)
        pops->logOutMessage (juce::String::fromUTF8 (text));
}
