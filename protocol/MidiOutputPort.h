#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

//==============================================================================
/** One open MIDI output. Sending is immediate: there is no queue behind it. */
class MidiOutputPort
{
public:
    virtual ~MidiOutputPort() = default;

    virtual void sendMessageNow (const juce::MidiMessage& message) = 0;
    virtual juce::String getIdentifier() const = 0;
};
