#pragma once

#include "protocol/Midi9Frame.h"
#include "support/RecordingContent.h"
#include "support/SimulatedInstrument.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

//==============================================================================
/** The central component on virtual devices with the simulated instrument plugged in,
    its timers running; the presence poll is held so that it sends nothing of its own. */
class InstrumentProtocolFixture : public ::testing::Test
{
protected:
    void start()
    {
        instrument.plug();
        content = std::make_unique<RecordingContent> (devices);
        content->stopTimer (3);
        ASSERT_TRUE (
            testhelpers::pumpUntil ([this] { return devices.getNumCallbacks ("korvel-vn5-in") == 1; }));
    }

    void TearDown() override
    {
        content.reset();
        testhelpers::pumpMessages (10);
    }

    /** True once the instrument has received a MIDI-CI message of this sub-ID; the
        instrument has handled everything it received when this returns true. */
    bool instrumentGotCi (u8 subId, int times = 1)
    {
        const auto received = instrument.getReceivedBytes();
        const auto n =
            std::count_if (received.begin(), received.end(),
                           [subId] (const auto& m)
                           { return m.size() > 4 && m[1] == 0x7e && m[3] == 0x0d && m[4] == subId; });

        return n >= times && instrument.waitUntilIdle();
    }

    void sendToInstrument (const Midi9Bytes& frame)
    {
        content->midiOutput->sendMessageNow (midi9_message (frame));
    }

    int countInLines (const juce::String& line) { return content->countInLines (line); }

    bool hasInLine (const juce::String& line) { return countInLines (line) > 0; }

    VirtualMidiDeviceLayer devices;
    SimulatedInstrument instrument { devices };
    std::unique_ptr<RecordingContent> content;
};
