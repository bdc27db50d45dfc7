#pragma once

#include "protocol/FirmwareStream.h"
#include "protocol/InstrumentHost.h"
#include "protocol/MidiControllers.h"

#include <functional>
#include <vector>

//==============================================================================
/** An output that keeps every message and may hand it on, as the instrument's port would. */
class RecordingOutputPort : public MidiOutputPort
{
public:
    void sendMessageNow (const juce::MidiMessage& message) override
    {
        sent.push_back (message);

        if (forward)
            forward (message);
    }

    juce::String getIdentifier() const override { return "recording"; }

    /** The bytes of the n-th message sent, F0 and F7 included. */
    std::vector<u8> bytes (size_t n) const
    {
        const auto* raw = sent.at (n).getRawData();
        return { raw, raw + sent.at (n).getRawDataSize() };
    }

    std::vector<juce::MidiMessage> sent;
    std::function<void (const juce::MidiMessage&)> forward;
};

//==============================================================================
/** A host for the packet, controller and firmware code: it records what the code asks of it and
    becomes pops for its lifetime. The firmware records start idle. */
class UmpTestHost : public InstrumentHost
{
public:
    UmpTestHost()
    {
        auto port = std::make_unique<RecordingOutputPort>();
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

    RecordingOutputPort* output = nullptr;
    juce::StringArray inLines, outLines;
    std::vector<int> sustainSelections;
    std::vector<juce::MidiMessage> fed;
    int progressDots = 0;

private:
    InstrumentHost* previousHost = nullptr;
};
