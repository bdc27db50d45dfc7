#pragma once

#include "InstrumentRecords.h"

#include <juce_core/juce_core.h>

/** Handles one instrument reply frame: the bytes after F0 and their count up to and including F7. */
void parse_midi9_sysex (const u8* data, int length);

/** The short version string of a firmware-version text line, such as "v2.1_02Jan2025". */
juce::String parseAndFormat (const juce::String& line);

/** What the reply parser keeps between frames, for the whole run. */
struct Midi9ParserState
{
    int versionSlot = 0; // slot of firmwareVersions that the next "P:0" line fills
    int dotCount = 0; // progress-dot lines seen
};

extern Midi9ParserState midi9ParserState;
