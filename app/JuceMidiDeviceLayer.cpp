#include "JuceMidiDeviceLayer.h"

namespace
{
class JuceMidiOutputPort final : public MidiOutputPort
{
public:
    explicit JuceMidiOutputPort (std::unique_ptr<juce::MidiOutput> outputToUse)
        : output (std::move (outputToUse))
    {
    }

    void sendMessageNow (const juce::MidiMessage& message) override { output->sendMessageNow (message); }
    juce::String getIdentifier() const override { return output->getIdentifier(); }

private:
    std::unique_ptr<juce::MidiOutput> output;
};
} // namespace

juce::Array<juce::MidiDeviceInfo> JuceMidiDeviceLayer::getAvailableInputDevices()
{
    return juce::MidiInput::getAvailableDevices();
}

juce::Array<juce::MidiDeviceInfo> JuceMidiDeviceLayer::getAvailableOutputDevices()
{
    return juce::MidiOutput::getAvailableDevices();
}

std::unique_ptr<MidiOutputPort> JuceMidiDeviceLayer::openOutputDevice (const juce::String& identifier)
{
    if (identifier.isEmpty())
        return {};

    if (auto output = juce::MidiOutput::openDevice (identifier))
        return std::make_unique<JuceMidiOutputPort> (std::move (output));

    return {};
}

void JuceMidiDeviceLayer::setMidiInputDeviceEnabled (const juce::String& identifier, bool enabled)
{
    deviceManager.setMidiInputDeviceEnabled (identifier, enabled);
}

bool JuceMidiDeviceLayer::isMidiInputDeviceEnabled (const juce::String& identifier)
{
    return deviceManager.isMidiInputDeviceEnabled (identifier);
}

void JuceMidiDeviceLayer::addMidiInputDeviceCallback (const juce::String& identifier,
                                                      juce::MidiInputCallback* callback)
{
    deviceManager.addMidiInputDeviceCallback (identifier, callback);
}

void JuceMidiDeviceLayer::removeMidiInputDeviceCallback (const juce::String& identifier,
                                                         juce::MidiInputCallback* callback)
{
    deviceManager.removeMidiInputDeviceCallback (identifier, callback);
}
