#include "MainContentComponent.h"

#include "MonitorLines.h"
#include "MonitorWindow.h"
#include "ToggleButtonColours.h"
#include "ToolWindow.h"
#include "protocol/FirmwareStream.h"
#include "protocol/Midi9Frame.h"
#include "protocol/Midi9Parser.h"
#include "protocol/MidiCi.h"
#include "protocol/UmpTransport.h"

MainContentComponent* papa = nullptr;

namespace
{
const juce::Colour panelColour (0xff2e3333);
const juce::Colour captionColour (0x80d3d3d3);

constexpr int kMenuColumnWidth = 136;

// The keyboard state hears the MIDI thread and also the message thread (mouse presses, and a
// calibration releasing its keys); feed it under its own lock, as its mouse path does.
void feedKeyboardState (juce::MidiKeyboardState& state, const juce::MidiMessage& message)
{
    // One buffer per calling thread, kept, so that a received message costs no allocation.
    thread_local juce::MidiBuffer single;
    single.clear();
    single.addEvent (message, 0);
    state.processNextMidiBuffer (single, 0, 1, false);
}
} // namespace

//==============================================================================
MainContentComponent::MainContentComponent (MidiDeviceLayer& midiDevices)
    : deviceManager (midiDevices)
    , controls (*this)
    , setup (*this)
    , keyboardComponent (keyboardState, juce::KeyboardComponentBase::horizontalKeyboard)
    , incomingMessages (1024)
    , startTime (juce::Time::getMillisecondCounterHiRes() * 0.001)
{
    selfReference = this;

    papa = this;
    ci_init_state();
    pops = this;

    monitorWindow = std::make_unique<MonitorWindow> (*this);
    monitorWindow->centreAroundComponent (getParentComponent(), monitorWindow->getWidth(),
                                          monitorWindow->getHeight());
    monitorWindow->setVisible (true);
    monitorWindow->addToDesktop();

    ota_reset_streams();

    setOpaque (true);
    juce::LookAndFeel::setDefaultLookAndFeel (&customLookAndFeel);
    // JUCE 7 keeps typefaces it resolved under the previous default; drop them so that
    // every font from here on resolves to the embedded face.
    juce::Typeface::clearTypefaceCache();

    // Menu column
    setupMenuBarButton (&controlsMenuButton, 22, 45, 100, 30, "CONTROLS", "ControlsMenu");
    setupMenuBarButton (&setupMenuButton, 22, 90, 100, 30, "SETUP", "SetupMenu");

    const auto menuButtonColour = findColour (juce::TextButton::buttonColourId);

    addAndMakeVisible (monitorMenuButton);
    monitorMenuButton.addListener (this);
    monitorMenuButton.setBounds (22, 185, 100, 30);
    setToggleButtonColours (monitorMenuButton, menuButtonColour);
    monitorMenuButton.setButtonText ("MONITOR");
    monitorMenuButton.setName ("MonitorMenu");
    monitorMenuButton.setClickingTogglesState (true);
    monitorMenuButton.onClick = [this] { showMonitorClicked(); };

    addAndMakeVisible (keyboardMenuButton);
    keyboardMenuButton.addListener (this);
    keyboardMenuButton.setBounds (22, 230, 100, 30);
    keyboardMenuButton.setClickingTogglesState (true);
    keyboardMenuButton.setToggleState (true, juce::sendNotification);
    setToggleButtonColours (keyboardMenuButton, menuButtonColour);
    keyboardMenuButton.setButtonText ("KEYBOARD");
    keyboardMenuButton.setName ("showKeyboard");
    keyboardMenuButton.onClick = [this] { showKeyboardClicked(); };

    for (auto* button : { &controlsMenuButton, &setupMenuButton, &monitorMenuButton, &keyboardMenuButton })
        button->setLookAndFeel (&menuButtonLook);

    controlsMenuButton.setToggleState (true, juce::dontSendNotification);

    // Panels: Controls above Setup, so the Controls view shows first
    addAndMakeVisible (setup);
    addAndMakeVisible (controls);

    keyboardComponent.setAvailableRange (kLowestKeyNote, kHighestKeyNote);
    keyboardComponent.setSize (980, 300);
    keyboardComponent.setKeyWidth (22.8f);
    addAndMakeVisible (keyboardComponent);
    keyboardState.addListener (this);

    monitorFilter.noteOn = 1;
    monitorFilter.noteOff = 1;
    monitorFilter.pressure = 1;
    monitorFilter.sysex = 0;
    monitorFilter.timeStamp = 0;
    monitorFilter.sustain = 1;
    monitorFilter.controllers = 1;
    startupSequenceEnabled = 0;
    for (auto* report :
         { &controller4140Report, &velocityMinReport, &hardLevelReport, &softLevelReport,
           &noteOnPositionReport, &noteOffPositionReport, &sharpAdjustReport, &stepNumberReport })
        report->received = 0;
    ciDiscoveryCountdown = 0;
    keyboardShown = 1;

    addAndMakeVisible (keySplitIndicator);
    keySplitIndicator.setValue (10.0, juce::sendNotificationAsync);
    keySplitIndicator.setSliderStyle (juce::Slider::LinearBar);
    keySplitIndicator.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    keySplitIndicator.setBounds (148, 255, 980, 10);
    keySplitIndicator.toFront (false);
    keySplitIndicator.setLookAndFeel (&indicatorLook);
    keySplitIndicator.setEnabled (false);

    for (auto* caption : { &viewCaption, &utilsCaption })
    {
        addAndMakeVisible (*caption);
        caption->setOpaque (true);
        caption->setColour (juce::Label::backgroundColourId, panelColour);
        caption->setFont (juce::Font (14.0f));
        caption->setColour (juce::Label::textColourId, captionColour);
    }
    viewCaption.setText ("VIEW", juce::dontSendNotification);
    viewCaption.setBounds (25, 7, 40, 20);
    utilsCaption.setText ("UTILS", juce::dontSendNotification);
    utilsCaption.setBounds (30, 146, 40, 20);

    keySplitZones.upperZoneFirstNote = 101;
    keySplitZones.lowerZoneLastNote = 100;
    calibrationFlags.active = 0;
    calibrationFlags.downMode = 0;
    singleNoteMode = 0;
    keyboardComponent.keySplitZones = &keySplitZones;
    keyboardComponent.calibrationFlags = &calibrationFlags;
    keyboardComponent.notePressures = &notePressures;

    instrumentKeywords.add ("Korvel");
    instrumentKeywords.add ("Vorn 5");

    sustainMode = 2;

    getSelectedMidiPorts();

    setSize (1140, 800);

    startTimer (1, 1);
    startTimer (4, 1250);
    startTimer (3, 1000);

    startupStep = 3;
}

MainContentComponent::~MainContentComponent()
{
    // Open tool windows hold references into this component.
    ToolWindow::deleteAll();

    deviceManager.removeMidiInputDeviceCallback (midiInputIdentifier, this);

    keyboardState.removeListener (this);
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();

    for (auto* button : { &controlsMenuButton, &setupMenuButton, &monitorMenuButton, &keyboardMenuButton })
    {
        button->setLookAndFeel (nullptr);
        button->removeListener (this);
    }
    keySplitIndicator.setLookAndFeel (nullptr);

    stopTimer (1);

    // The window may still be on screen; it goes before the members it reads.
    monitorWindow.reset();
    stopTimer (2);
    stopTimer (3);
    stopTimer (4);
    stopTimer (5);
}

//==============================================================================
void MainContentComponent::paint (juce::Graphics& g)
{
    g.fillAll (panelColour);

    g.setColour (juce::Colours::lightgrey.withAlpha ((juce::uint8) 0x80));
    g.drawRect (12, 15, 118, 114, 2);
    g.drawRect (12, 155, 118, 114, 2);
}

void MainContentComponent::resized()
{
    changeTitle (0);

    controls.setBounds (kMenuColumnWidth, 0, getWidth() - kMenuColumnWidth, getHeight());
    setup.setBounds (kMenuColumnWidth, 0, getWidth() - kMenuColumnWidth, getHeight());

    updateMonitorWindowPosition();

    keyboardComponent.setBounds (148, 265, 980, 99);
}

//==============================================================================
void MainContentComponent::setupMenuBarButton (juce::TextButton* button, int x, int y, int width, int height,
                                               juce::String text, juce::String name)
{
    if (button == nullptr)
        return;

    addAndMakeVisible (button);
    button->addListener (this);
    button->setBounds (x, y, width, height);

    setToggleButtonColours (*button, findColour (juce::TextButton::buttonColourId));

    button->setButtonText (text);
    button->setName (name);
    button->setClickingTogglesState (true);
    button->setRadioGroupId (1, juce::sendNotification);
}

void MainContentComponent::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "ControlsMenu")
    {
        changeTitle (0);
        controls.setVisible (true);
        setup.setVisible (false);
        repaint();
    }
    else if (name == "SetupMenu")
    {
        changeTitle (1);
        setup.setVisible (true);
        controls.setVisible (false);
        repaint();
    }
}

void MainContentComponent::changeTitle (int /*view*/)
{
    if (auto* window = findParentComponentOfClass<juce::DocumentWindow>())
    {
        window->setName ("VN5 MIDI Control System");
        window->repaint();
    }
}

void MainContentComponent::updateMonitorWindowPosition()
{
    if (monitorWindow == nullptr || !monitorWindow->isVisible())
        return;

    auto* top = getTopLevelComponent();
    monitorWindow->setBounds (top->getX() + 68, top->getY() + top->getHeight() + 25,
                              monitorWindow->getWidth(), monitorWindow->getHeight());
}

void MainContentComponent::showMonitorClicked()
{
    if (monitorWindow != nullptr)
    {
        monitorWindow->setVisible (!monitorWindow->isVisible());
    }
    else
    {
        monitorWindow = std::make_unique<MonitorWindow> (*this);
        monitorWindow->centreAroundComponent (getParentComponent(), monitorWindow->getWidth(),
                                              monitorWindow->getHeight());
        monitorWindow->setVisible (true);
        monitorWindow->addToDesktop();
    }

    updateMonitorWindowPosition();
}

void MainContentComponent::showKeyboardClicked()
{
    auto* window = findParentComponentOfClass<juce::DocumentWindow>();

    if (keyboardShown == 1)
    {
        keyboardComponent.setVisible (false);
        keyboardShown = 0;
        keySplitIndicator.setVisible (false);

        if (window != nullptr)
            window->setBounds (window->getX(), window->getY(), window->getWidth(), 323);
    }
    else
    {
        keyboardComponent.setVisible (true);
        keySplitIndicator.setVisible (true);
        keyboardShown = 1;

        if (window != nullptr)
            window->setBounds (window->getX(), window->getY(), window->getWidth(), 423);
    }

    repaint();
}

//==============================================================================
void MainContentComponent::getSelectedMidiPorts()
{
    midiInputDevices = deviceManager.getAvailableInputDevices();
    midiOutputDevices = deviceManager.getAvailableOutputDevices();

    controls.midiInputBox.clear (juce::dontSendNotification);
    controls.midiOutputBox.clear (juce::dontSendNotification);
    instrumentInputFound = 0;
    instrumentOutputFound = 0;

    auto matchesKeyword = [this] (const juce::String& name)
    {
        for (auto& keyword : instrumentKeywords)
            if (name.contains (keyword))
                return true;
        return false;
    };

    for (int i = 0; i < midiInputDevices.size(); ++i)
    {
        controls.midiInputBox.addItem (midiInputDevices[i].name, i + 1);

        if (instrumentInputFound == 0 && matchesKeyword (midiInputDevices[i].name))
        {
            instrumentInputFound = 1;
            setMidiInputTimer (i);
        }
    }

    for (int i = 0; i < midiOutputDevices.size(); ++i)
    {
        controls.midiOutputBox.addItem (midiOutputDevices[i].name, i + 1);

        if (instrumentOutputFound == 0 && matchesKeyword (midiOutputDevices[i].name))
        {
            instrumentOutputFound = 1;
            setMidiOutput (i);
        }
    }

    if (instrumentInputFound == 1 && instrumentOutputFound == 1)
    {
        ciDiscoveryCountdown = 100;
        mainTickWorkArrived();
        controls.enableAllUi();
        setupMenuButton.setEnabled (true);
    }
    else
    {
        controls.disableAllUi();
        setupMenuButton.setEnabled (false);
        logOutMessage ("Attach valid USB MIDI Device.");
    }

    resized();
}

void MainContentComponent::setMidiInputTimer (int index)
{
    const auto newIdentifier = juce::isPositiveAndBelow (index, midiInputDevices.size())
                                   ? midiInputDevices.getReference (index).identifier
                                   : juce::String();

    deviceManager.removeMidiInputDeviceCallback (midiInputIdentifier, this);
    deviceManager.setMidiInputDeviceEnabled (midiInputIdentifier, false);

    if (newIdentifier.isEmpty())
        return;

    if (deviceManager.isMidiInputDeviceEnabled (newIdentifier))
        deviceManager.setMidiInputDeviceEnabled (newIdentifier, false);

    midiInputIdentifier = newIdentifier;
    selectedInputIndex = index;
    startTimer (2, 100);
}

void MainContentComponent::setMidiInput()
{
    // An empty identifier would register the component for every input at once.
    if (midiInputIdentifier.isNotEmpty())
    {
        deviceManager.setMidiInputDeviceEnabled (midiInputIdentifier, true);
        deviceManager.removeMidiInputDeviceCallback (midiInputIdentifier, this);
        deviceManager.addMidiInputDeviceCallback (midiInputIdentifier, this);
    }

    controls.midiInputBox.setSelectedItemIndex (selectedInputIndex, juce::dontSendNotification);

    if (midiInputIdentifier.isNotEmpty() && deviceManager.isMidiInputDeviceEnabled (midiInputIdentifier))
    {
        if (midiOutput != nullptr)
        {
            logOutMessage ("Get Board Size");
            sendToInstrument (midi9_query_frame (M9_BOARD_SIZE));
        }
    }
    else
    {
        logMessage ("ERROR: SET MIDI INPUT FAILED");
    }

    stopTimer (2);
}

void MainContentComponent::setMidiOutput (int index)
{
    const auto identifier = juce::isPositiveAndBelow (index, midiOutputDevices.size())
                                ? midiOutputDevices.getReference (index).identifier
                                : juce::String();

    midiOutput.reset();
    midiOutput = deviceManager.openOutputDevice (identifier);

    if (midiOutput == nullptr)
        logMessage ("SET MIDI OUTPUT FAILED");

    controls.midiOutputBox.setSelectedItemIndex (index, juce::dontSendNotification);
}

//==============================================================================
void MainContentComponent::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    const auto* bytes = message.getRawData();
    const auto size = message.getRawDataSize();
    const int status = size > 0 ? bytes[0] : 0;

    if (calibrationFlags.active.load() == 1 && size >= 2)
    {
        const auto kind = status & 0xf0;

        // The instrument's own notes would confuse the calibration display.
        if (kind == 0x90 || kind == 0x80)
            return;

        // During calibration the instrument reports each key as a program change.
        if (kind == 0xc0)
        {
            const int program = bytes[1];
            juce::MidiMessage synthetic;

            if (calibrationFlags.downMode.load() == 1)
            {
                synthetic = (status == 0xc0) ? juce::MidiMessage (0x90, program, 0xff)
                                             : juce::MidiMessage (0x80, program, 0x00);

                if (program >= kLowestKeyNote && program <= kHighestKeyNote)
                    downFound[(size_t) (program - kLowestKeyNote)].store (1);
            }
            else
            {
                synthetic = juce::MidiMessage (0x90, program, 0xff);
            }

            synthetic.setTimeStamp (message.getTimeStamp() - startTime);
            addMessageToBuffer (synthetic);
            feedKeyboardState (keyboardState, synthetic);
            return;
        }
    }

    feedKeyboardState (keyboardState, message);

    // A back-end that does not mask data bytes can hand over a note past the table.
    if ((status & 0xf0) == 0xa0 && size >= 3 && bytes[1] < notePressures.size())
    {
        const int note = bytes[1];
        notePressures[(size_t) note].store (bytes[2]);

        juce::MessageManager::callAsync (
            [safeThis = selfReference, note]
            {
                if (safeThis != nullptr)
                    safeThis->keyboardComponent.repaintNote (note);
            });
    }

    auto copy = message;
    copy.setTimeStamp (message.getTimeStamp() - startTime);
    addMessageToBuffer (copy);
}

//==============================================================================
void MainContentComponent::selectSustainMode (int modeId)
{
    controls.sustainModeBox.setSelectedId (modeId, juce::sendNotificationAsync);
}

void MainContentComponent::feedIncomingMessage (const juce::MidiMessage& message)
{
    handleIncomingMidiMessage (nullptr, message);
}

void MainContentComponent::appendOutProgressDot()
{
    appendToOutLog (".");
}

void MainContentComponent::addMessageToBuffer (const juce::MidiMessage& message)
{
    const auto* bytes = message.getRawData();
    const auto size = message.getRawDataSize();

    // A sweep of the wheel sends far more values than anyone reads; keep about half of them,
    // and always the centre and the top.
    if (size >= 3 && (bytes[0] & 0xf0) == 0xe0)
    {
        const int value = bytes[1] + 128 * bytes[2];

        if (value != 8192 && value != 16383 && value % 100 >= 50)
            return;
    }

    incomingMessages.push (message);
    mainTickPacer.workArrived();
}

//==============================================================================
void MainContentComponent::addMessageToList (const juce::MidiMessage& message, const juce::String& source)
{
    const auto* bytes = message.getRawData();
    const auto size = message.getRawDataSize();

    if (size <= 0)
        return;

    const int status = bytes[0];
    const int kind = status & 0xf0;
    const int d1 = size > 1 ? bytes[1] : 0;
    const int d2 = size > 2 ? bytes[2] : 0;

    if (status == 0xf0)
    {
        const auto* data = bytes + 1;
        const int length = size - 1;

        if (length >= 3 && data[0] == 0x7e && data[1] == 0x7f && data[2] == 0x0d)
        {
            check_ci_stuff (data, length, ciLogging);
            return;
        }

        if (length >= 2 && data[0] == M9_MANUFACTURER_ID && data[1] == M9_FRAME_COMMAND)
        {
            parse_midi9_sysex (data, length);
            resized();
        }
        else if (length >= 2 && data[0] == M9_MANUFACTURER_ID && data[1] == M9_FRAME_UMP)
        {
            parse_tunneled_umps (data, length);
        }

        if (monitorFilter.sysex == 0)
            return;
    }
    else if (size >= 3)
    {
        if (kind == 0x90 && d2 > 0)
        {
            if (monitorFilter.noteOn == 0)
                return;
        }
        else if (kind == 0x80 || kind == 0x90)
        {
            if (monitorFilter.noteOff == 0)
                return;
        }
        else if (kind == 0xb0)
        {
            if (monitorFilter.controllers == 0 || (d1 == 64 && monitorFilter.sustain == 0))
                return;
        }
        else if (kind == 0xa0)
        {
            if (monitorFilter.pressure == 0)
                return;
        }
    }

    if (calibrationFlags.active.load() == 1)
        return;

    if (kind == 0xb0 && size >= 3 && (d1 == 21 || d1 == 64))
        sustainPedalValue = (u8) d2;

    auto line = describeMessage (message);

    if (monitorFilter.timeStamp != 0)
        line = source + formatTimeCode (message.getTimeStamp()) + "  -  " + line;

    logMessage (line);
}

juce::String MainContentComponent::describeMessage (const juce::MidiMessage& message)
{
    return MonitorLines::describeMessage (message);
}

juce::String MainContentComponent::formatTimeCode (double seconds)
{
    return MonitorLines::formatTimeCode (seconds);
}

//==============================================================================
void MainContentComponent::timerCallback (int timerID)
{
    switch (timerID)
    {
        case 1:
            mainTickPacer.timerFired();
            break;

        case 2:
            setMidiInput();
            break;

        case 3:
            pollInstrumentPresence();
            break;

        case 4:
            stopTimer (4);
            break;

        case 5:
            stopTimer (5);
            monitorFilter.noteOn = 1;
            monitorFilter.noteOff = 1;
            calibrationFlags.active = 0;
            calibrationFlags.restMode = 0;
            calibrationFlags.downMode = 0;
            break;

        default:
            break;
    }
}

void MainContentComponent::mainTick()
{
    if (first_time == 0)
    {
        first_time = juce::jmax ((juce::uint32) 1, juce::Time::getMillisecondCounter());
        logMessage (juce::String::formatted ("configurator build date: %d - %d - %4d", 8, 26, 2025));
        logMessage (juce::String::formatted ("Version: %d.%d.%d-%d", 1, 3, 0, 15));
    }

    ota_pump_step();

    // The answer comes in on the instrument's input: the inquiry waits while timer 2 has yet to open it.
    if (ciDiscoveryCountdown > 1 || (ciDiscoveryCountdown == 1 && !isTimerRunning (2)))
    {
        if (ciDiscoveryCountdown == 1)
            xmit_ci_packet (ci_discovery_inquiry_msg);

        --ciDiscoveryCountdown;
    }

    if (auto message = incomingMessages.pop())
        addMessageToList (*message, {});
}

void MainContentComponent::pollInstrumentPresence()
{
    bool found = false;

    for (auto& device : deviceManager.getAvailableInputDevices())
    {
        if (device.name.contains ("Korvel") || device.name.contains ("Vorn"))
        {
            found = true;
            break;
        }
    }

    if (found && !midi_present)
    {
        midi_present = true;
        reset_flag = true;
        getSelectedMidiPorts();
        controls.enableAllUi();
        controls.getParametersFromTarget();
        repaint();
    }
    else if (found)
    {
        // One more request a second later, for an instrument that was still starting up.
        if (reset_flag)
        {
            reset_flag = false;
            controls.getParametersFromTarget();
        }
    }
    else if (midi_present)
    {
        midi_present = false;
        controls.forgetAwaitedEchoes();
        controls.setVisible (true);
        controlsMenuButton.setToggleState (true, juce::sendNotification);
        setupMenuButton.setToggleState (false, juce::sendNotification);
        controls.disableAllUi();
        getSelectedMidiPorts();
        setMidiInput();
        repaint();
    }
}

void MainContentComponent::handleNoteOn (juce::MidiKeyboardState*, int, int midiNoteNumber, float)
{
    if (controls.splitDialogWaiting)
        controls.setSplitDialogNote (midiNoteNumber);
}

void MainContentComponent::handleNoteOff (juce::MidiKeyboardState*, int, int, float)
{
}

//==============================================================================
void MainContentComponent::logMessage (const juce::String& text)
{
    juce::MessageManager::callAsync (
        [safeThis = selfReference, text]
        {
            if (safeThis != nullptr)
                safeThis->appendInLine (text);
        });
}

void MainContentComponent::logOutMessage (const juce::String& text)
{
    juce::MessageManager::callAsync (
        [safeThis = selfReference, text]
        {
            if (safeThis != nullptr)
                safeThis->appendToOutLog (text + "\r\n");
        });
}

Monitor* MainContentComponent::currentMonitor() const
{
    return monitorWindow != nullptr ? monitorWindow->getMonitor() : nullptr;
}

void MainContentComponent::appendInLine (const juce::String& text)
{
    auto* monitor = currentMonitor();
    if (monitor == nullptr)
        return;

    auto& editor = monitor->midiInActivityEditor;

    // Drop the oldest line without going through the clipboard, which belongs to the user.
    if (editor.getTotalNumChars() >= 2001)
    {
        const auto firstLineEnd = editor.getText().indexOfChar ('\n');
        const auto removeUpTo = firstLineEnd >= 0 ? firstLineEnd + 1 : editor.getTotalNumChars();
        editor.setHighlightedRegion ({ 0, removeUpTo });
        editor.insertTextAtCaret ({});
    }

    editor.moveCaretToEnd (false);

    if (text.startsWithChar ('.'))
        editor.insertTextAtCaret (text);
    else
        editor.insertTextAtCaret (text + "\r\n");
}

void MainContentComponent::appendToOutLog (const juce::String& text)
{
    if (auto* monitor = currentMonitor())
    {
        monitor->midiOutActivityEditor.moveCaretToEnd (false);
        monitor->midiOutActivityEditor.insertTextAtCaret (text);
    }
}

//==============================================================================
void MainContentComponent::showVelocitySensitivity (int sensitivity)
{
    controls.velocitySlider.setValue (sensitivity, juce::dontSendNotification);
}

void MainContentComponent::showAfterPressureGain (int gain)
{
    controls.showAfterPressureGain (gain);
}

void MainContentComponent::showKeySplitNote (int note)
{
    controls.showKeySplitNote (note);
}

void MainContentComponent::selectMidiChannelItem (int itemId)
{
    controls.selectMidiChannelItem (itemId);
}

void MainContentComponent::selectTransposeAndOctaveItems (int transposeId, int octaveId)
{
    controls.selectTransposeAndOctaveItems (transposeId, octaveId);
}

void MainContentComponent::setHiddenSliderValue (int index, int value)
{
    if (juce::isPositiveAndBelow (index, (int) hiddenSliders.size()))
        hiddenSliders[(size_t) index].setValue (value, juce::sendNotificationAsync);
}

void MainContentComponent::selectFrontPedalModeItem (int itemId)
{
    frontPedalModeBox.setSelectedId (itemId, juce::dontSendNotification);
}

void MainContentComponent::selectBackPedalControllerItem (int itemId)
{
    backPedalControllerBox.setSelectedId (itemId, juce::dontSendNotification);
}

void MainContentComponent::updateProgressBars (int phase, float f)
{
    update_progress_bars (progressBarCounters, firmwareProgress, phase, f);
}
