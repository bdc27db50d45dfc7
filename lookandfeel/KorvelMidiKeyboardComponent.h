#pragma once

#include "protocol/InstrumentRecords.h"

#include <juce_audio_utils/juce_audio_utils.h>

#include <array>

//==============================================================================
/** The on-screen 73-key keyboard: a display of the instrument's keys. */
class KorvelMidiKeyboardComponent : public juce::KeyboardComponentBase
{
public:
    KorvelMidiKeyboardComponent (juce::MidiKeyboardState& stateToUse, Orientation orientation);
    ~KorvelMidiKeyboardComponent() override = default;

    void drawKeyboardBackground (juce::Graphics& g, juce::Rectangle<float> area) override;
    void drawWhiteKey (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area) override;
    void drawBlackKey (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area) override;

    /** Repaints one key; notes outside the instrument's range are ignored. */
    void repaintNote (int midiNoteNumber);

    KeySplitZones* keySplitZones = nullptr;
    CalibrationFlags* calibrationFlags = nullptr;
    std::array<std::atomic<int>, 128>* notePressures = nullptr;

private:
    juce::MidiKeyboardState& state;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelMidiKeyboardComponent)
};
