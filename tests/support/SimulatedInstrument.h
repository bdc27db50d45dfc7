#pragma once

#include "SimulatedControllerResponder.h"
#include "SimulatedFirmwareReceiver.h"
#include "SimulatedMidiCiDevice.h"
#include "VirtualMidiDeviceLayer.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_events/juce_events.h>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

//==============================================================================
/**
    A stand-in for the instrument, for tests and the harness only. It shows up in a
    VirtualMidiDeviceLayer as one input and one output port, handles what the program
    sends on a thread of its own (as the real device would, later than the send), keeps
    its performance settings, answers queries and echoes sets with the reply frame, and
    answers the board-size query with a configurable layout.

    It records every message it receives, and records as an error anything the real
    protocol could not carry: a data byte above 0x7F, a frame without its closing F7,
    a command frame of the wrong length, a command it does not know. Unless a test takes
    them with takeErrors(), errors fail the running test when the instrument goes.

    To teach it more (MIDI-CI, packets, the firmware stream, key reports), derive and
    override the handle... methods, or set unhandledMessageHandler. A derived class must
    call stop() in its own destructor, since the handlers run on the instrument's thread.
*/
class SimulatedInstrument : private juce::Thread
{
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Ports
    {
        juce::String name { "Korvel VN5 MIDI" };
        juce::String inputIdentifier { "korvel-vn5-in" }; // the program's input: what the instrument sends
        juce::String outputIdentifier { "korvel-vn5-out" }; // the program's output: what the instrument hears
    };

    struct BoardLayout
    {
        std::array<std::uint8_t, 4> sizes { 73, 0, 0, 0 };
        std::uint8_t type = 0;

        static BoardLayout oneBoard() { return {}; }
        static BoardLayout twoBoards() { return { { 30, 43, 0, 0 }, 3 }; }
        static BoardLayout fourBoards() { return { { 17, 17, 17, 22 }, 4 }; }
    };

    explicit SimulatedInstrument (VirtualMidiDeviceLayer& layerToUse);
    SimulatedInstrument (VirtualMidiDeviceLayer& layerToUse, Ports portsToUse);
    ~SimulatedInstrument() override;

    const Ports& getPorts() const { return ports; }

    //==============================================================================
    /** Adds the two ports to the device layer, as plugging in the USB cable does. */
    void plug();

    /** Removes both ports; what the program sends meanwhile is lost. */
    void unplug();

    bool isPlugged() const;

    void setBoardLayout (const BoardLayout& layout);

    /** The stored value of a command of the table (the raw value byte). */
    std::uint8_t getSetting (std::uint8_t command) const;
    void setSetting (std::uint8_t command, std::uint8_t value);

    /** Restores every setting to the instrument's defaults. */
    void resetSettings();

    /** Delay between receiving a message and answering it. */
    void setReplyDelay (int milliseconds);

    //==============================================================================
    /** Sends a message to the program, as the instrument would on its own. */
    void send (const juce::MidiMessage& message);
    void send (const Bytes& bytes);

    /** Every message received since plugging in (or the last clear), in order. */
    std::vector<juce::MidiMessage> getReceived() const;
    std::vector<Bytes> getReceivedBytes() const;
    void clearReceived();

    /** How many received messages equal these bytes exactly. */
    int countReceived (const Bytes& bytes) const;

    /** Errors found in received messages so far; taking them keeps them from failing the test. */
    std::vector<juce::String> takeErrors();

    /** Waits until every message received so far has been handled and answered. */
    bool waitUntilIdle (int timeoutMilliseconds = 5000);

    //==============================================================================
    /** Sends one text line (F0 09 00 29 text F7), as the instrument reports its firmware. */
    void sendTextLine (const juce::String& text);

    /** Sends this many progress-dot text lines. */
    void sendProgressDots (int count);

    /** Progress lines sent after the firmware step-2 command: one full round of the
        phases of boards two, three and four. */
    static constexpr int kStepTwoProgressLines = 93;

    /** The lines that answer the firmware-status command; by default one version line
        ("P:0 v:... size ... k Mon DD YYYY") per board that has keys. */
    void setFirmwareStatusLines (const juce::StringArray& lines);
    juce::StringArray getFirmwareStatusLines() const;

    //==============================================================================
    // Key and pedal calibration. The instrument reports only what its calibration step allows
    // (rests after the all-positions mode and a rest update, downs after a down update);
    // asking it for anything else is recorded as an error.

    /** Reports the rest positions of the first `count` keys, from note 28 up. */
    void reportRests (int count);

    /** Reports keys pressed fully down, as program changes on channel 1. */
    void reportDowns (int firstNote, int count);

    /** Reports the position measured for one key pressed fully down. */
    void reportSingleNote (int note, std::uint32_t value);

    /** Moves the sustain pedal: control change 64 on channel 1. */
    void movePedal (std::uint8_t value);

    /** The instrument's MIDI-CI side, which universal system-exclusive messages go to. Its
        own exchanges may be started while the instrument is idle. */
    SimulatedMidiCiDevice midiCi { [this] (const CiBytes& message) { reply (message); } };

    /** Called on the instrument thread for a message no handler knows; returning false
        records it as an error. */
    std::function<bool (const juce::MidiMessage&)> unhandledMessageHandler;

    /** The firmware stream's receiving end and the MIDI 2.0 controllers, fed from the
        instrument's thread; tests command and inspect them. */
    SimulatedFirmwareReceiver& getFirmwareReceiver() { return firmwareReceiver; }
    SimulatedControllerResponder& getControllerResponder() { return controllerResponder; }

    /** Stops the instrument's thread; called by the destructor. */
    void stop();

protected:
    //==============================================================================
    // Handlers, on the instrument's thread. `frame` is the whole message, F0 to F7.
    virtual void handleMessage (const juce::MidiMessage& message);
    virtual void handleCommandFrame (const Bytes& frame);
    virtual void handleOtherSysEx (const juce::MidiMessage& message);

    /** Universal system exclusive: MIDI-CI goes to midiCi, the rest is taken in silence. */
    virtual void handleUniversalSysEx (const juce::MidiMessage& message);
    virtual void handleChannelMessage (const juce::MidiMessage& message);

    /** The calibration modes of M9_KEY_ADJUST. */
    virtual void handleKeyAdjust (const Bytes& frame);

    /** Passes a message to unhandledMessageHandler, or records it as an error. */
    void handleUnknown (const juce::MidiMessage& message, const juce::String& why);

    void recordError (const juce::String& error);

    /** Replies from a handler go through here, after the reply delay. */
    void reply (const Bytes& bytes);

private:
    enum class KeyMode
    {
        playing,
        findingRests,
        findingDowns
    };

    /** Records an error unless the instrument is in this calibration step. */
    bool expectKeyMode (KeyMode wanted, const juce::String& what);

    void run() override;
    void receiveFromProgram (const juce::MidiMessage& message);
    bool checkCarriable (const juce::MidiMessage& message);

    VirtualMidiDeviceLayer& layer;
    const Ports ports;

    mutable std::mutex stateLock;
    bool plugged = false;
    BoardLayout boardLayout;
    std::map<std::uint8_t, std::uint8_t> settings;
    std::uint8_t keySplitFlag = 1;
    std::array<std::array<std::uint8_t, 16>, 4> pedalFields {};
    KeyMode keyMode = KeyMode::playing;
    std::vector<juce::MidiMessage> received;
    std::vector<juce::String> errors;
    int replyDelayMs = 0;
    juce::StringArray firmwareStatusLines;
    bool firmwareStatusLinesSet = false;

    SimulatedFirmwareReceiver firmwareReceiver { [this] (const juce::MidiMessage& m) { send (m); } };
    SimulatedControllerResponder controllerResponder { [this] (const juce::MidiMessage& m) { send (m); } };

    std::mutex queueLock;
    std::condition_variable queueChanged;
    std::deque<juce::MidiMessage> queue;
    bool busy = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimulatedInstrument)
};
