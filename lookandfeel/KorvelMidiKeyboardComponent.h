#pragma once

#include "protocol/InstrumentRecords.h"

#include <juce_audio_utils/juce_audio_utils.h>

#include <array>
#include <atomic>

//==============================================================================
/**
    The on-screen 73-key keyboard: a display of the instrument's keys. Pressed keys are
    coloured by split zone and strike level, or in calibration colours while key
    calibration runs, with each key's polyphonic pressure as a bar rising from its bottom.
    The mouse plays nothing; the computer keyboard plays notes into the state while the
    component has focus.
*/
class KorvelMidiKeyboardComponent : public juce::KeyboardComponentBase,
                                    private juce::MidiKeyboardState::Listener,
                                    private juce::Timer
{
public:
    KorvelMidiKeyboardComponent (juce::MidiKeyboardState& stateToUse, Orientation orientation);
    ~KorvelMidiKeyboardComponent() override;

    //==============================================================================
    void mouseMove (const juce::MouseEvent&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    bool keyPressed (const juce::KeyPress& key) override;
    bool keyStateChanged (bool isKeyDown) override;
    void focusLost (FocusChangeType cause) override;
    void colourChanged() override;

    void drawKeyboardBackground (juce::Graphics& g, juce::Rectangle<float> area) override;
    void drawWhiteKey (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area) override;
    void drawBlackKey (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area) override;

    virtual void drawWhiteNote (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area,
                                bool isDown, bool isOver, juce::Colour lineColour, juce::Colour textColour);
    virtual void drawBlackNote (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area,
                                bool isDown, bool isOver, juce::Colour noteFillColour);

    virtual bool mouseDownOnKey (int midiNoteNumber, const juce::MouseEvent& e);
    virtual bool mouseDraggedToKey (int midiNoteNumber, const juce::MouseEvent& e);
    virtual void mouseUpOnKey (int midiNoteNumber, const juce::MouseEvent& e);

    /** "C1" to "C6" on the white C keys, nothing on the others. */
    virtual juce::String getWhiteNoteText (int midiNoteNumber);

    /** Repaints one key; notes outside the keyboard's range are ignored. */
    void repaintNote (int midiNoteNumber);

    //==============================================================================
    // Set by the owner before the first paint; until then no split, no calibration, no pressure.
    KeySplitZones* keySplitZones = nullptr;
    CalibrationFlags* calibrationFlags = nullptr;
    std::array<std::atomic<int>, 128>* notePressures = nullptr;

protected:
    /** Whether a mapped key is held with no modifier key; the tests stand in for the keyboard here. */
    virtual bool isKeyPressDown (const juce::KeyPress& key) const;

private:
    void timerCallback() override;
    void handleNoteOn (juce::MidiKeyboardState*, int midiChannel, int midiNoteNumber,
                       float velocity) override;
    void handleNoteOff (juce::MidiKeyboardState*, int midiChannel, int midiNoteNumber,
                        float velocity) override;

    bool isNoteDown (int midiNoteNumber) const;
    juce::uint8 levelAlpha (int midiNoteNumber) const;
    void fillPressureBar (juce::Graphics& g, int midiNoteNumber, juce::Rectangle<float> area,
                          float margin) const;

    juce::MidiKeyboardState& state;
    int midiChannel = 1;
    int midiInChannelMask = 0xffff;
    int keyMappingOctave = 6;
    float velocity = 1.0f;

    juce::Array<juce::KeyPress> keyPresses;
    juce::Array<int> keyPressNotes;
    juce::BigInteger keysPressed, keysCurrentlyDrawnDown;

    // Written on the MIDI thread, read when painting.
    std::array<std::atomic<int>, 128> noteLevels {};
    std::atomic<bool> noPendingUpdates { true };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelMidiKeyboardComponent)
};
