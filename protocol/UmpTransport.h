#pragma once

#include "InstrumentRecords.h"

#include <juce_audio_basics/juce_audio_basics.h>

//==============================================================================
/** One Universal MIDI Packet, word 0 first; the message type is the top four bits of word 0.
    One- and two-word packets leave the later words unused. */
struct _ump_message_struct
{
    u32 word[4] {};
};

/** Words per packet by message type 0..15. */
extern const u8 ump_message_size_words[16];

inline int ump_message_type (const _ump_message_struct& message)
{
    return (int) (message.word[0] >> 28);
}

inline int ump_word_count (const _ump_message_struct& message)
{
    return ump_message_size_words[ump_message_type (message)];
}

/** The most bytes ump_to_sysex writes: kind bytes and four word groups. */
constexpr int kUmpSysexMaxBytes = 2 + 5 * 4;

/** Writes 09 21 and one five-byte group per word into buf (F0 and F7 not included);
    returns the number of bytes written, 2 + 5 x words. buf must hold kUmpSysexMaxBytes. */
int ump_to_sysex (u8* buf, const _ump_message_struct& message);

/** Reads the packet whose first word group is at data[2] of a frame (the bytes after F0, length
    counted up to and including F7). Returns false, leaving the packet untouched, when the frame is
    too short for the words its message type needs. */
bool sysex_to_ump (const u8* data, int length, _ump_message_struct& message);

/** The packet as an F0 09 21 ... F7 message. */
juce::MidiMessage ump_sysex_message (const _ump_message_struct& message);

/** The packet as an F0 09 3<type> ... F7 message. */
juce::MidiMessage ump_tunnel_message (const _ump_message_struct& message);

/** Sends the packet in an F0 09 21 frame through the open output; nothing is logged. */
void ump_out (const _ump_message_struct& message);

/** Sends the packet in an F0 09 3<type> frame through the open output; nothing is logged. */
void tunnel_ump_out (const _ump_message_struct& message);

/** Handles one packet frame from the instrument: the bytes after F0 and their count up to and
    including F7. Frames too short for their packet are ignored. */
void parse_tunneled_umps (const u8* data, int length);

/** Writes the text as one line of the MIDI OUT log. The text is data, never a format. */
void logMessage (const char* text);
