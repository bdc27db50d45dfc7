#pragma once

#include "InstrumentRecords.h"

/** Handles one instrument reply frame: the bytes after F0 and their count up to and including F7. */
void parse_midi9_sysex (const u8* data, int length);
