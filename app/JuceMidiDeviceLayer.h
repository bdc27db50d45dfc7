#pragma once

#include "MidiDeviceLayer.h"

//==============================================================================
/** The computer's real MIDI devices, through juce::AudioDeviceManager and juce::MidiOutput. */
class JuceMidiDeviceLayer : public MidiDeviceLayer
{
public:
    JuceMidiDeviceLayer() = default;

    juce::Array<juce::MidiDeviceInfo> getAvailableInputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getAvailableOutputDevices() override;
    std::unique_ptr<MidiOutputPort> openOutputDevice (const juce::String& identifier) override;
    void setMidiInputDeviceEnabled (const juce::String& identifier, bool enabled) override;
    bool isMidiInputDeviceEnabled (const juce::String& identifier) override;
    void addMidiInputDeviceCallback (const juce::String& identifier,
                                     juce::MidiInputCallback* callback) override;
    void removeMidiInputDeviceCallback (const juce::String& identifier,
                                        juce::MidiInputCallback* callback) override;

private:
    juce::AudioDeviceManager deviceManager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JuceMidiDeviceLayer)
};
