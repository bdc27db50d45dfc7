#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

//==============================================================================
/** How a received message reads in the MIDI IN activity log: pure text from bytes. */
namespace MonitorLines
{
/** The monitor text of a message, without the time code. A message too short for its
    kind is never read at fixed positions: it shows as plain hexadecimal bytes. */
juce::String describeMessage (const juce::MidiMessage& message);

/** "hh:mm:ss.mmm" of a time stamp in seconds since start; negative times show as zero. */
juce::String formatTimeCode (double seconds);
} // namespace MonitorLines
