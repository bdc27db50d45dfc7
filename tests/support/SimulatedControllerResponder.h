#pragma once

#include "protocol/UmpTransport.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <functional>
#include <map>
#include <mutex>
#include <vector>

//==============================================================================
/**
    The instrument's MIDI 2.0 controllers: it keeps the values the program sets in tunnelled
    controller packets, answers each controller report request with a Flex Data report,
    and sends key position reports when a test asks. Requests that break the layout are
    kept as error texts. Safe to drive from the instrument's thread and to ask from the test's.
*/
class SimulatedControllerResponder
{
public:
    using SendToHost = std::function<void (const juce::MidiMessage&)>;

    explicit SimulatedControllerResponder (SendToHost sendToHost);

    /** Takes one message from the program; returns true when it was a tunnelled packet. */
    bool handleMessage (const juce::MidiMessage& message);

    /** The value (word 1) reported for a controller, by its word 0 (0x4030F90E ...). */
    void setControllerValue (u32 controllerWord, u32 value);
    bool hasControllerValue (u32 controllerWord) const;
    u32 getControllerValue (u32 controllerWord) const;

    /** A MIDI 2.0 channel voice packet naming the key and its 24-bit position. */
    void sendKeyPositionReport (int note, u32 value);

    int getNumReportRequests() const;
    std::vector<u32> getRequestedControllers() const;
    std::vector<juce::String> getErrors() const;

private:
    void handleReportRequest (const _ump_message_struct& packet, int frameSize);

    mutable std::recursive_mutex lock;
    SendToHost send;
    std::map<u32, u32> values;
    std::vector<u32> requested;
    int reportRequests = 0;
    std::vector<juce::String> errors;
};
