#pragma once

#include "protocol/MidiOutputPort.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <memory>

//==============================================================================
/**
    Everything the program does with the computer's MIDI devices goes through this
    interface: the program uses the JUCE-backed implementation, the tests and the
    harness a virtual one. The input calls mirror juce::AudioDeviceManager's names.
*/
class MidiDeviceLayer
{
public:
    virtual ~MidiDeviceLayer() = default;

    virtual juce::Array<juce::MidiDeviceInfo> getAvailableInputDevices() = 0;
    virtual juce::Array<juce::MidiDeviceInfo> getAvailableOutputDevices() = 0;

    /** Null when the output cannot be opened. */
    virtual std::unique_ptr<MidiOutputPort> openOutputDevice (const juce::String& identifier) = 0;

    virtual void setMidiInputDeviceEnabled (const juce::String& identifier, bool enabled) = 0;
    virtual bool isMidiInputDeviceEnabled (const juce::String& identifier) = 0;
    virtual void addMidiInputDeviceCallback (const juce::String& identifier,
                                             juce::MidiInputCallback* callback) = 0;
    virtual void removeMidiInputDeviceCallback (const juce::String& identifier,
                                                juce::MidiInputCallback* callback) = 0;
};
