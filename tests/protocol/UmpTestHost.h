#pragma once

#include "protocol/FirmwareStream.h"
#include "protocol/InstrumentHost.h"
#include "protocol/MidiControllers.h"
#include "support/FakeInstrumentHost.h"

#include <functional>
#include <vector>

//==============================================================================
/** A host for the packet, controller and firmware code: it records what the code asks of it and
    becomes pops for its lifetime. The firmware records start idle. */
class UmpTestHost : public InstrumentHost
{
public:
    UmpTestHost()
    {
        auto port = std::make_unique<RecordingMidiOutputPort>();
        output = port.get();
        midiOutput = std::move (port);
        previousHost = pops;
        pops = this;
        ota_reset_streams();
        ota_last_out_ptr = 300;
        mcr_test = 0;
    }

    ~UmpTestHost() override { pops = previousHost; }

    void logMessage (const juce::String& text) override { inLines.add (text); }
    void logOutMessage (const juce::String& text) override { outLines.add (text); }
    void selectSustainMode (int modeId) override { sustainSelections.push_back (modeId); }
    void feedIncomingMessage (const juce::MidiMessage& message) override { fed.push_back (message); }
    void appendOutProgressDot() override { ++progressDots; }

    // Widgets that command replies move: not this host's business.
    void showVelocitySensitivity (int) override { }
    void showAfterPressureGain (int) override { }
    void showKeySplitNote (int) override { }
    void selectMidiChannelItem (int) override { }
    void selectTransposeAndOctaveItems (int, int) override { }
    void setHiddenSliderValue (int, int) override { }
    void selectFrontPedalModeItem (int) override { }
    void selectBackPedalControllerItem (int) override { }
    void updateProgressBars (int, float) override { }

    /** Hands a received frame (F0 to F7) to the packet parser as the routing does. */
    void receive (const juce::MidiMessage& message)
    {
        parse_tunneled_umps (message.getRawData() + 1, message.getRawDataSize() - 1);
    }

    RecordingMidiOutputPort* output = nullptr;
    juce::StringArray inLines, outLines;
    std::vector<int> sustainSelections;
    std::vector<juce::MidiMessage> fed;
    int progressDots = 0;

private:
    InstrumentHost* previousHost = nullptr;
};
