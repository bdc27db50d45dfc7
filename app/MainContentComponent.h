#pragma once

#include "IncomingMessageRing.h"
#include "MainTickPacer.h"
#include "MidiDeviceLayer.h"
#include "lookandfeel/KorvelCustomButtons.h"
#include "lookandfeel/KorvelCustomLookAndFeel.h"
#include "lookandfeel/KorvelKeySplitIndicatorBar.h"
#include "lookandfeel/KorvelMidiKeyboardComponent.h"
#include "panels/Controls.h"
#include "protocol/FirmwareStream.h"
#include "protocol/InstrumentHost.h"
#include "tools/Setup.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

class Monitor;
class MonitorWindow;

//==============================================================================
/**
    The content of the main window and the hub of the program: it owns the panels,
    the on-screen keyboard, the MIDI connection, the ring of received messages and
    the Monitor View window, and holds the instrument state everything else shares.
*/
class MainContentComponent : public juce::Component,
                             public juce::Button::Listener,
                             public juce::MidiInputCallback,
                             public juce::MultiTimer,
                             public juce::MidiKeyboardState::Listener,
                             public InstrumentHost
{
public:
    explicit MainContentComponent (MidiDeviceLayer& midiDevices);
    ~MainContentComponent() override;

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    void timerCallback (int timerID) override;

    /** One tick of timer 1: a message out of the ring, a firmware packet, a step of the countdown. */
    void mainTick();

    void handleNoteOn (juce::MidiKeyboardState* source, int midiChannel, int midiNoteNumber,
                       float velocity) override;
    void handleNoteOff (juce::MidiKeyboardState* source, int midiChannel, int midiNoteNumber,
                        float velocity) override;

    //==============================================================================
    // Activity logging: both post to the message thread and may be called from any thread.
    void logMessage (const juce::String& text) override;
    void logOutMessage (const juce::String& text) override;

    //==============================================================================
    // Widgets moved by the instrument's replies
    void showVelocitySensitivity (int sensitivity) override;
    void showAfterPressureGain (int gain) override;
    void showKeySplitNote (int note) override;
    void selectMidiChannelItem (int itemId) override;
    void selectTransposeAndOctaveItems (int transposeId, int octaveId) override;
    void setHiddenSliderValue (int index, int value) override;
    void selectFrontPedalModeItem (int itemId) override;
    void selectBackPedalControllerItem (int itemId) override;
    void updateProgressBars (int phase, float f) override;

    /** The counters behind updateProgressBars; the firmware window resets them. */
    ProgressBarCounters progressBarCounters;

    //==============================================================================
    // Menu column and view switching
    void setupMenuBarButton (juce::TextButton* button, int x, int y, int width, int height, juce::String text,
                             juce::String name);
    void changeTitle (int view);
    void updateMonitorWindowPosition();
    void showMonitorClicked();
    void showKeyboardClicked();

    //==============================================================================
    // Port discovery and connection
    void getSelectedMidiPorts();
    void setMidiInputTimer (int index);
    void setMidiInput();
    void setMidiOutput (int index);

    //==============================================================================
    // Received messages: the MIDI thread fills the ring, the main tick drains it.
    void addMessageToBuffer (const juce::MidiMessage& message);
    void addMessageToList (const juce::MidiMessage& message, const juce::String& source);

    /** The monitor text of a received message, without the time code. */
    static juce::String describeMessage (const juce::MidiMessage& message);

    /** "hh:mm:ss.mmm" of a time stamp in seconds since start. */
    static juce::String formatTimeCode (double seconds);

    //==============================================================================
    // Hooks of the controller reports, key reports and firmware stream
    void selectSustainMode (int modeId) override;
    void feedIncomingMessage (const juce::MidiMessage& message) override;
    void appendOutProgressDot() override;
    void mainTickWorkArrived() override { mainTickPacer.workArrived(); }

    //==============================================================================
    // MIDI connection and incoming road
    MidiDeviceLayer& deviceManager;
    juce::Array<juce::MidiDeviceInfo> midiInputDevices, midiOutputDevices;
    juce::String midiInputIdentifier;
    int selectedInputIndex = 0;
    juce::StringArray instrumentKeywords;

    juce::MidiKeyboardState keyboardState;
    std::array<juce::Slider, 11> hiddenSliders;
    juce::ComboBox backPedalControllerBox, frontPedalModeBox;
    juce::Slider keySplitIndicator;
    juce::TextButton controlsMenuButton, setupMenuButton, monitorMenuButton, keyboardMenuButton;

    Controls controls;
    Setup setup;

    KorvelMidiKeyboardComponent keyboardComponent;
    juce::Label viewCaption, utilsCaption;

    IncomingMessageRing incomingMessages;
    double startTime = 0.0;

    std::unique_ptr<MonitorWindow> monitorWindow;

    juce::KorvelCustomLookAndFeel customLookAndFeel;
    juce::KorvelCustomButtons menuButtonLook;
    juce::KorvelKeySplitIndicatorBar indicatorLook;

private:
    // State of the main tick and the presence poll. Members rather than function statics,
    // so that each component (the tests build many) starts afresh.
    juce::uint32 first_time = 0;
    bool midi_present = false;
    bool reset_flag = false;

    // Timer 1 runs a tick per elapsed millisecond, and sleeps longer while none has anything to do.
    MainTickPacer mainTickPacer { *this, 1, [this] { mainTick(); },
                                  [this] {
                                      return first_time == 0 || ciDiscoveryCountdown > 0
                                             || ota_stream_active() || !incomingMessages.empty();
                                  } };

    void pollInstrumentPresence();

    // Made once on the message thread; copies are safe to take on any thread.
    juce::Component::SafePointer<MainContentComponent> selfReference;

    /** The Monitor panel of the Monitor View, when there is one. */
    Monitor* currentMonitor() const;

    void appendInLine (const juce::String& text);
    void appendToOutLog (const juce::String& text);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainContentComponent)
};

/** The one central component, from its construction on. */
extern MainContentComponent* papa;
