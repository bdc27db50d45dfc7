#pragma once

#include "InstrumentRecords.h"
#include "Midi9Frame.h"
#include "MidiOutputPort.h"

#include <juce_core/juce_core.h>

#include <array>
#include <memory>

//==============================================================================
/**
    The state shared between the protocol code and the rest of the program, and the
    few things the protocol code asks of its host. The central component is the one
    host in the program; tests give the protocol code a host of their own. Nothing in
    here touches a GUI class, so the protocol code builds and tests without one.
*/
class InstrumentHost
{
public:
    InstrumentHost();
    virtual ~InstrumentHost() = default;

    /** Appends a line to the MIDI IN activity log; callable from any thread. */
    virtual void logMessage (const juce::String& text) = 0;

    /** Appends a line to the MIDI OUT activity log; callable from any thread. */
    virtual void logOutMessage (const juce::String& text) = 0;

    //==============================================================================
    // Widgets that the instrument's replies move. A change made with notification runs
    // the same handler as the user's change would, so it is sent back to the instrument.

    /** The Controls panel's velocity slider, without notification. */
    virtual void showVelocitySensitivity (int sensitivity) = 0;

    /** The Controls panel's pressure-gain slider, with notification. */
    virtual void showAfterPressureGain (int gain) = 0;

    /** The Controls panel's key-split slider, with notification. */
    virtual void showKeySplitNote (int note) = 0;

    /** Selects an item of the Controls panel's channel list, with asynchronous notification. */
    virtual void selectMidiChannelItem (int itemId) = 0;

    /** Selects items of the transpose and octave lists, with asynchronous notification. */
    virtual void selectTransposeAndOctaveItems (int transposeId, int octaveId) = 0;

    /** Sets one of the central component's hidden sliders, with asynchronous notification. */
    virtual void setHiddenSliderValue (int index, int value) = 0;

    /** Selects an item of the hidden front-pedal mode list, without notification. */
    virtual void selectFrontPedalModeItem (int itemId) = 0;

    /** Selects an item of the hidden back-pedal controller list, without notification. */
    virtual void selectBackPedalControllerItem (int itemId) = 0;

    /** Moves the firmware progress by one reported phase step. */
    virtual void updateProgressBars (int phase, float f) = 0;

    //==============================================================================
    // The one way out to the instrument: sent at once, or dropped when no output is open.
    // Returns whether the message left.
    bool sendToInstrument (const juce::MidiMessage& message);
    bool sendToInstrument (const Midi9Bytes& frame);

    //==============================================================================
    // Connection
    std::unique_ptr<MidiOutputPort> midiOutput;
    u8 instrumentInputFound = 0;
    u8 instrumentOutputFound = 0;
    u8 startupStep = 3;
    u8 startupSequenceEnabled = 0;
    u8 ciDiscoveryCountdown = 0;
    u8 ciLogging = 0;

    //==============================================================================
    // Reported by the instrument
    std::array<u8, 4> boardSizes {};
    u8 totalNotes = 0;
    u8 boardCount = 0;
    u8 lowestNote = 97;
    u8 boardType = 0;
    u32 ciSoftwareRevision = 0;
    std::array<juce::String, 4> firmwareVersions;
    int velocitySensitivity = 0;
    int velocityCurve = 0;
    int afterPressureGain = 0;
    int pressureResolution = 0;
    int blackKeyOffset = 0;
    u8 sustainMode = 2;
    u8 sustainPedalValue = 0;
    float firmwareProgress = 0.0f;

    ControllerReport controller4140Report;
    ControllerReport velocityMinReport;
    ControllerReport hardLevelReport;
    ControllerReport softLevelReport;
    ControllerReport noteOnPositionReport;
    ControllerReport noteOffPositionReport;
    ControllerReport sharpAdjustReport;
    ControllerReport stepNumberReport;

    //==============================================================================
    // Calibration and keyboard view
    CalibrationFlags calibrationFlags;
    std::array<u8, kNumKeys> restFound {};
    std::array<std::atomic<u8>, kNumKeys> downFound {};
    u8 singleNoteMode = 0;
    u8 singleNoteArmed = 0;
    u8 singleNoteFound = 0;
    u8 singleNoteNumber = 0;
    u32 singleNoteValue = 0;
    int gainBeforeCalibration = 0;
    int keySplitNote = 0;
    KeySplitZones keySplitZones;
    std::array<std::atomic<int>, 128> notePressures {};
    u8 keyboardShown = 1;

    //==============================================================================
    // Display
    MonitorFilterFlags monitorFilter;

    //==============================================================================
    // Controller reports, key reports and the firmware stream

    /** Selects sustain mode 1 (on/off) or 2 (smooth) in the Controls panel, with asynchronous
        notification, as a report from the instrument asks. */
    virtual void selectSustainMode (int modeId) = 0;

    /** Hands a message to the MIDI input handler as if the instrument had sent it. */
    virtual void feedIncomingMessage (const juce::MidiMessage& message) = 0;

    /** Appends a progress dot to the end of the MIDI OUT log, without a line end. */
    virtual void appendOutProgressDot() = 0;

    /** The main tick has work again (a stream opened, a countdown started): bring back its
        full pace. Callable from any thread. */
    virtual void mainTickWorkArrived() { }

private:
    JUCE_DECLARE_NON_COPYABLE (InstrumentHost)
};

/** The one host of the protocol code: the central component, from its construction on. */
extern InstrumentHost* pops;
