#include "VirtualMidiDeviceLayer.h"

#include <algorithm>

class VirtualMidiDeviceLayer::Port final : public MidiOutputPort
{
public:
    Port (VirtualMidiDeviceLayer& layerToUse, const juce::String& identifierToUse)
        : layer (layerToUse), identifier (identifierToUse)
    {
    }

    void sendMessageNow (const juce::MidiMessage& message) override
    {
        layer.sendFromPort (identifier, message);
    }
    juce::String getIdentifier() const override { return identifier; }

private:
    VirtualMidiDeviceLayer& layer;
    juce::String identifier;
};

//==============================================================================
VirtualMidiDeviceLayer::VirtualMidiDeviceLayer() : juce::Thread ("Virtual MIDI input")
{
    startThread();
}

VirtualMidiDeviceLayer::~VirtualMidiDeviceLayer()
{
    signalThreadShouldExit();
    queueChanged.notify_all();
    stopThread (5000);
}

//==============================================================================
void VirtualMidiDeviceLayer::addInputDevice (const juce::String& name, const juce::String& identifier)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    removeInputDevice (identifier);
    Input input;
    input.info = juce::MidiDeviceInfo (name, identifier);
    inputs.push_back (std::move (input));
}

void VirtualMidiDeviceLayer::removeInputDevice (const juce::String& identifier)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    inputs.erase (std::remove_if (inputs.begin(), inputs.end(),
                                  [&] (const Input& input) { return input.info.identifier == identifier; }),
                  inputs.end());
}

void VirtualMidiDeviceLayer::addOutputDevice (const juce::String& name, const juce::String& identifier,
                                              Receiver receiver)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    removeOutputDevice (identifier);
    Output output;
    output.info = juce::MidiDeviceInfo (name, identifier);
    output.receiver = std::move (receiver);
    outputs.push_back (std::move (output));
}

void VirtualMidiDeviceLayer::removeOutputDevice (const juce::String& identifier)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    outputs.erase (std::remove_if (outputs.begin(), outputs.end(),
                                   [&] (const Output& output)
                                   { return output.info.identifier == identifier; }),
                   outputs.end());
}

void VirtualMidiDeviceLayer::setOutputRefusesToOpen (const juce::String& identifier, bool refuses)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    if (auto* output = findOutput (identifier))
        output->refusesToOpen = refuses;
}

void VirtualMidiDeviceLayer::setInputRefusesToOpen (const juce::String& identifier, bool refuses)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    if (auto* input = findInput (identifier))
        input->refusesToOpen = refuses;
}

void VirtualMidiDeviceLayer::deliver (const juce::String& inputIdentifier, const juce::MidiMessage& message)
{
    {
        std::lock_guard<std::mutex> guard (queueLock);
        queue.emplace_back (inputIdentifier, message);
    }
    queueChanged.notify_all();
}

bool VirtualMidiDeviceLayer::waitUntilDelivered (int timeoutMilliseconds)
{
    std::unique_lock<std::mutex> guard (queueLock);
    return queueChanged.wait_for (guard, std::chrono::milliseconds (timeoutMilliseconds),
                                  [this] { return queue.empty() && inFlight == 0; });
}

std::vector<juce::MidiMessage>
VirtualMidiDeviceLayer::getSentMessages (const juce::String& outputIdentifier) const
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    if (auto* output = findOutput (outputIdentifier))
        return output->sent;
    return {};
}

void VirtualMidiDeviceLayer::clearSentMessages (const juce::String& outputIdentifier)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    if (auto* output = findOutput (outputIdentifier))
        output->sent.clear();
}

int VirtualMidiDeviceLayer::getNumCallbacks (const juce::String& inputIdentifier) const
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    for (auto& input : inputs)
        if (input.info.identifier == inputIdentifier)
            return (int) input.callbacks.size();
    return 0;
}

//==============================================================================
juce::Array<juce::MidiDeviceInfo> VirtualMidiDeviceLayer::getAvailableInputDevices()
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    juce::Array<juce::MidiDeviceInfo> result;
    for (auto& input : inputs)
        result.add (input.info);
    return result;
}

juce::Array<juce::MidiDeviceInfo> VirtualMidiDeviceLayer::getAvailableOutputDevices()
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    juce::Array<juce::MidiDeviceInfo> result;
    for (auto& output : outputs)
        result.add (output.info);
    return result;
}

std::unique_ptr<MidiOutputPort> VirtualMidiDeviceLayer::openOutputDevice (const juce::String& identifier)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    auto* output = findOutput (identifier);
    if (output == nullptr || output->refusesToOpen)
        return {};
    return std::make_unique<Port> (*this, identifier);
}

void VirtualMidiDeviceLayer::setMidiInputDeviceEnabled (const juce::String& identifier, bool enabled)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    if (auto* input = findInput (identifier))
        input->enabled = enabled && !input->refusesToOpen;
}

bool VirtualMidiDeviceLayer::isMidiInputDeviceEnabled (const juce::String& identifier)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    auto* input = findInput (identifier);
    return input != nullptr && input->enabled;
}

void VirtualMidiDeviceLayer::addMidiInputDeviceCallback (const juce::String& identifier,
                                                         juce::MidiInputCallback* callback)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    if (auto* input = findInput (identifier))
        if (callback != nullptr)
            input->callbacks.push_back (callback);
}

void VirtualMidiDeviceLayer::removeMidiInputDeviceCallback (const juce::String& identifier,
                                                            juce::MidiInputCallback* callback)
{
    std::lock_guard<std::recursive_mutex> guard (lock);
    if (auto* input = findInput (identifier))
        input->callbacks.erase (std::remove (input->callbacks.begin(), input->callbacks.end(), callback),
                                input->callbacks.end());
}

//==============================================================================
void VirtualMidiDeviceLayer::run()
{
    while (!threadShouldExit())
    {
        std::pair<juce::String, juce::MidiMessage> item;

        {
            std::unique_lock<std::mutex> guard (queueLock);
            queueChanged.wait_for (guard, std::chrono::milliseconds (50),
                                   [this] { return !queue.empty() || threadShouldExit(); });
            if (queue.empty())
                continue;

            item = std::move (queue.front());
            queue.pop_front();
            ++inFlight;
        }

        {
            // Held while calling back, so that removing a callback waits for a call in progress.
            std::lock_guard<std::recursive_mutex> guard (lock);
            if (auto* input = findInput (item.first))
                if (input->enabled)
                    for (auto* callback : input->callbacks)
                        callback->handleIncomingMidiMessage (nullptr, item.second);
        }

        {
            std::lock_guard<std::mutex> guard (queueLock);
            --inFlight;
        }
        queueChanged.notify_all();
    }
}

void VirtualMidiDeviceLayer::sendFromPort (const juce::String& identifier, const juce::MidiMessage& message)
{
    Receiver receiver;

    {
        std::lock_guard<std::recursive_mutex> guard (lock);
        auto* output = findOutput (identifier);
        if (output == nullptr)
            return; // unplugged: the message goes nowhere, as on a real port

        output->sent.push_back (message);
        receiver = output->receiver;
    }

    if (receiver)
        receiver (message);
}

VirtualMidiDeviceLayer::Input* VirtualMidiDeviceLayer::findInput (const juce::String& identifier)
{
    for (auto& input : inputs)
        if (input.info.identifier == identifier)
            return &input;
    return nullptr;
}

VirtualMidiDeviceLayer::Output* VirtualMidiDeviceLayer::findOutput (const juce::String& identifier)
{
    for (auto& output : outputs)
        if (output.info.identifier == identifier)
            return &output;
    return nullptr;
}

const VirtualMidiDeviceLayer::Output*
VirtualMidiDeviceLayer::findOutput (const juce::String& identifier) const
{
    for (auto& output : outputs)
        if (output.info.identifier == identifier)
            return &output;
    return nullptr;
}
