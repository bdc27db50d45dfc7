#pragma once

#include "protocol/UmpTransport.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <functional>
#include <map>
#include <vector>

//==============================================================================
/**
    The instrument's MIDI 2.0 controllers: it keeps the values the program sets in tunnelled
    controller packets, answers each controller report request with a Flex Data report,
    and sends key position reports when a test asks. Requests that break the layout are
    kept as error texts.
*/
class SimulatedControllerResponder
{
public:
    using SendToHost = std::function<void (const juce::MidiMessage&)>;

    explicit SimulatedControllerResponder (SendToHost sendToHost);

    /** Takes one message from the program; returns true when it was a tunnelled packet. */
    bool handleMessage (const juce::MidiMessage& message);

    /** The value (word 1) reported for a controller, by its word 0 (0x4030F90E ...). */
    void setControllerValue (u32 controllerWord, u32 value) { values[controllerWord] = value; }
    bool hasControllerValue (u32 controllerWord) const { return values.count (controllerWord) != 0; }
    u32 getControllerValue (u32 controllerWord) const;

    /** A MIDI 2.0 channel voice packet naming the key and its 24-bit position. */
    void sendKeyPositionReport (int note, u32 value);

    int getNumReportRequests() const { return reportRequests; }
    const std::vector<u32>& getRequestedControllers() const { return requested; }
    const std::vector<juce::String>& getErrors() const { return errors; }

private:
    void handleReportRequest (const _ump_message_struct& packet, int frameSize);

    SendToHost send;
    std::map<u32, u32> values;
    std::vector<u32> requested;
    int reportRequests = 0;
    std::vector<juce::String> errors;
};
