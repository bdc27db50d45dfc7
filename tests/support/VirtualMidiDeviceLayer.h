#pragma once

#include "app/MidiDeviceLayer.h"

#include <juce_events/juce_events.h>

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

//==============================================================================
/**
    MIDI devices that a test makes up: names and identifiers of its choosing, plugged
    and unplugged at run time. Outputs record every message sent and may hand it on to
    a receiver; inputs deliver messages through the registered callbacks on a thread
    of their own, as a MIDI driver does.
*/
class VirtualMidiDeviceLayer : public MidiDeviceLayer, private juce::Thread
{
public:
    using Receiver = std::function<void (const juce::MidiMessage&)>;

    VirtualMidiDeviceLayer();
    ~VirtualMidiDeviceLayer() override;

    //==============================================================================
    void addInputDevice (const juce::String& name, const juce::String& identifier);
    void removeInputDevice (const juce::String& identifier);
    void addOutputDevice (const juce::String& name, const juce::String& identifier, Receiver receiver = {});
    void removeOutputDevice (const juce::String& identifier);

    /** When set, opening this output fails as a busy port would. */
    void setOutputRefusesToOpen (const juce::String& identifier, bool refuses);

    /** When set, enabling this input fails as a busy port would. */
    void setInputRefusesToOpen (const juce::String& identifier, bool refuses);

    /** Queues a message as if it arrived on the input; delivered on the device thread. */
    void deliver (const juce::String& inputIdentifier, const juce::MidiMessage& message);

    /** Waits until everything queued so far has been handed to the callbacks. */
    bool waitUntilDelivered (int timeoutMilliseconds = 5000);

    /** Every message sent to the output since it was added (or cleared). */
    std::vector<juce::MidiMessage> getSentMessages (const juce::String& outputIdentifier) const;
    void clearSentMessages (const juce::String& outputIdentifier);

    int getNumCallbacks (const juce::String& inputIdentifier) const;

    //==============================================================================
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
    struct Input
    {
        juce::MidiDeviceInfo info;
        bool enabled = false;
        bool refusesToOpen = false;
        std::vector<juce::MidiInputCallback*> callbacks;
    };

    struct Output
    {
        juce::MidiDeviceInfo info;
        bool refusesToOpen = false;
        Receiver receiver;
        std::vector<juce::MidiMessage> sent;
    };

    class Port;

    void run() override;
    void sendFromPort (const juce::String& identifier, const juce::MidiMessage& message);

    mutable std::recursive_mutex lock;
    std::vector<Input> inputs;
    std::vector<Output> outputs;

    std::mutex queueLock;
    std::condition_variable queueChanged;
    std::deque<std::pair<juce::String, juce::MidiMessage>> queue;
    int inFlight = 0;

    Input* findInput (const juce::String& identifier);
    Output* findOutput (const juce::String& identifier);
    const Output* findOutput (const juce::String& identifier) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualMidiDeviceLayer)
};
