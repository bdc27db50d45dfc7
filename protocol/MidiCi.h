#pragma once

#include "InstrumentRecords.h"

/** Handles one received MIDI-CI message: the bytes after F0 and their count up to and including F7. */
void check_ci_stuff (const u8* data, int length, u8 logging);

/** Sends the message that starts at buf (F0) and ends at its first F7, at most 255 bytes. */
void xmit_ci_packet (const u8* buf, u8 unused = 0);

/** The Discovery Inquiry that the main tick sends after a port scan found the instrument. */
extern const u8 ci_discovery_inquiry_msg[31];
