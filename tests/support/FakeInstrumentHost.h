#pragma once

#include "protocol/InstrumentHost.h"

#include <functional>
#include <utility>
#include <vector>

//==============================================================================
/** An output that keeps what is sent and may hand each message on at once. */
class RecordingMidiOutputPort : public MidiOutputPort
{
public:
    void sendMessageNow (const juce::MidiMessage& message) override
    {
        sent.push_back (message);

        if (onSend)
            onSend (message);
    }

    juce::String getIdentifier() const override { return "recording-output"; }

    /** The bytes of a sent message, F0 to F7. */
    std::vector<u8> bytesOf (size_t index) const
    {
        const auto& m = sent.at (index);
        return { m.getRawData(), m.getRawData() + m.getRawDataSize() };
    }

    std::vector<juce::MidiMessage> sent;
    std::function<void (const juce::MidiMessage&)> onSend;
};

//==============================================================================
/**
    A host for the protocol code without any GUI: log lines and widget moves are recorded,
    and sent messages land in a RecordingMidiOutputPort. Makes itself the one host while it lives.
*/
class FakeInstrumentHost : public InstrumentHost
{
public:
    FakeInstrumentHost()
    {
        auto port = std::make_unique<RecordingMidiOutputPort>();
        output = port.get();
        midiOutput = std::move (port);
        previousHost = pops;
        pops = this;
    }

    ~FakeInstrumentHost() override { pops = previousHost; }

    void logMessage (const juce::String& text) override { inLog.add (text); }
    void logOutMessage (const juce::String& text) override { outLog.add (text); }

    void showVelocitySensitivity (int sensitivity) override { record ("velocitySlider", sensitivity); }
    void showAfterPressureGain (int gain) override { record ("pressureGainSlider", gain); }
    void showKeySplitNote (int note) override { record ("keySplitSlider", note); }
    void selectMidiChannelItem (int itemId) override { record ("midiChannelBox", itemId); }

    void selectTransposeAndOctaveItems (int transposeId, int octaveId) override
    {
        record ("transposeBox", transposeId);
        record ("octaveBox", octaveId);
    }

    void setHiddenSliderValue (int index, int value) override
    {
        record ("hiddenSlider" + juce::String (index), value);
    }

    void selectFrontPedalModeItem (int itemId) override { record ("frontPedalModeBox", itemId); }
    void selectBackPedalControllerItem (int itemId) override { record ("backPedalControllerBox", itemId); }

    void updateProgressBars (int phase, float f) override
    {
        record ("updateProgressBars", phase);
        progressValues.push_back (f);
    }

    void selectSustainMode (int modeId) override { record ("sustainModeBox", modeId); }
    void feedIncomingMessage (const juce::MidiMessage&) override { }
    void appendOutProgressDot() override { }

    void record (const juce::String& widget, int value) { widgetMoves.push_back ({ widget, value }); }

    /** Drops the output, as when no port is open. */
    void closeOutput()
    {
        midiOutput.reset();
        output = nullptr;
    }

    juce::StringArray inLog, outLog;
    std::vector<std::pair<juce::String, int>> widgetMoves;
    std::vector<float> progressValues;
    RecordingMidiOutputPort* output = nullptr;

private:
    InstrumentHost* previousHost = nullptr;
};
