#include "MainContentComponent.h"

#include "MonitorWindow.h"

MainContentComponent* papa = nullptr;

namespace
{
const juce::Colour panelColour (0xff2e3333);
const juce::Colour accentColour (0xffde6a40);
const juce::Colour captionColour (0x80d3d3d3);

constexpr int kMenuColumnWidth = 136;
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
    pops = this;

    monitorWindow = std::make_unique<MonitorWindow> (*this);
    monitorWindow->centreAroundComponent (getParentComponent(), monitorWindow->getWidth(),
                                          monitorWindow->getHeight());
    monitorWindow->setVisible (true);
    monitorWindow->addToDesktop();

    setOpaque (true);
    juce::LookAndFeel::setDefaultLookAndFeel (&customLookAndFeel);

    // Menu column
    setupMenuBarButton (&controlsMenuButton, 22, 45, 100, 30, "CONTROLS", "ControlsMenu");
    setupMenuBarButton (&setupMenuButton, 22, 90, 100, 30, "SETUP", "SetupMenu");

    const auto menuButtonColour = findColour (juce::TextButton::buttonColourId);
    auto styleMenuButton = [menuButtonColour] (juce::TextButton& button)
    {
        button.setColour (juce::TextButton::buttonColourId, menuButtonColour);
        button.setColour (juce::TextButton::buttonOnColourId, menuButtonColour);
        button.setColour (juce::TextButton::textColourOffId, juce::Colours::lightgrey);
        button.setColour (juce::TextButton::textColourOnId, accentColour);
        button.setColour (juce::ComboBox::outlineColourId, juce::Colours::black);
    };

    addAndMakeVisible (monitorMenuButton);
    monitorMenuButton.addListener (this);
    monitorMenuButton.setBounds (22, 185, 100, 30);
    styleMenuButton (monitorMenuButton);
    monitorMenuButton.setButtonText ("MONITOR");
    monitorMenuButton.setName ("MonitorMenu");
    monitorMenuButton.setClickingTogglesState (true);
    monitorMenuButton.onClick = [this] { showMonitorClicked(); };

    addAndMakeVisible (keyboardMenuButton);
    keyboardMenuButton.addListener (this);
    keyboardMenuButton.setBounds (22, 230, 100, 30);
    keyboardMenuButton.setClickingTogglesState (true);
    keyboardMenuButton.setToggleState (true, juce::sendNotification);
    styleMenuButton (keyboardMenuButton);
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

    setSize (1140, 800);

    startTimer (1, 1);
    startTimer (4, 1250);
    startTimer (3, 1000);

    startupStep = 3;
}

MainContentComponent::~MainContentComponent()
{
    deviceManager.removeMidiInputDeviceCallback (midiInputIdentifier, this);

    keyboardState.removeListener (this);
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

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

    const auto menuButtonColour = findColour (juce::TextButton::buttonColourId);
    button->setColour (juce::TextButton::buttonColourId, menuButtonColour);
    button->setColour (juce::TextButton::buttonOnColourId, menuButtonColour);
    button->setColour (juce::TextButton::textColourOffId, juce::Colours::lightgrey);
    button->setColour (juce::TextButton::textColourOnId, accentColour);
    button->setColour (juce::ComboBox::outlineColourId, juce::Colours::black);

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
void MainContentComponent::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&)
{
}

void MainContentComponent::timerCallback (int timerID)
{
    switch (timerID)
    {
        case 1:
            break;

        case 2:
            stopTimer (2);
            break;

        case 3:
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

void MainContentComponent::handleNoteOn (juce::MidiKeyboardState*, int, int, float)
{
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
                safeThis->appendOutLine (text);
        });
}

void MainContentComponent::appendInLine (const juce::String& text)
{
    if (monitorWindow == nullptr)
        return;

    auto* monitor = monitorWindow->getMonitor();
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

void MainContentComponent::appendOutLine (const juce::String& text)
{
    if (monitorWindow == nullptr)
        return;

    auto* monitor = monitorWindow->getMonitor();
    if (monitor == nullptr)
        return;

    auto& editor = monitor->midiOutActivityEditor;
    editor.moveCaretToEnd (false);
    editor.insertTextAtCaret (text + "\r\n");
}
