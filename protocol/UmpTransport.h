#pragma once

#include "InstrumentRecords.h"

/** Handles one packet frame from the instrument: the bytes after F0 and their count up to and including F7. */
void parse_tunneled_umps (const u8* data, int length);
