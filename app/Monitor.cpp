#include "Monitor.h"

#include "MainContentComponent.h"
#include "ToggleButtonColours.h"

namespace
{
const juce::Colour panelColour (0xff2e3333);

constexpr int kToggleWidth = 85;
constexpr int kToggleHeight = 25;
} // namespace

Monitor::Monitor (MainContentComponent& ownerToUse) : owner (ownerToUse)
{
    setVisible (true);
    centreWithSize (1000, 300);

    addAndMakeVisible (displayCaption);
    displayCaption.setText ("Display Messages", juce::dontSendNotification);
    displayCaption.setBounds (52, 32, 200, 30);
    displayCaption.setFont (juce::Font (16.0f));
    displayCaption.setColour (juce::Label::textColourId, juce::Colours::lightgrey);

    setupDisplayButton (noteOnToggle, 55, 85, kToggleWidth, kToggleHeight, "Note On", "NtOn", true);
    setupDisplayButton (pressureToggle, 165, 85, kToggleWidth, kToggleHeight, "Pressure", "P_on", true);
    setupDisplayButton (noteOffToggle, 55, 125, kToggleWidth, kToggleHeight, "Note Off", "Noff", true);
    setupDisplayButton (sysexToggle, 165, 125, kToggleWidth, kToggleHeight, "Sysex", "Sysx", false);
    setupDisplayButton (controllersToggle, 55, 165, kToggleWidth, kToggleHeight, "Controllers", "Cont", true);
    setupDisplayButton (timeToggle, 165, 165, kToggleWidth, kToggleHeight, "Time", "Time", false);
    setupDisplayButton (sustainsToggle, 55, 205, kToggleWidth, kToggleHeight, "Sustains", "Sust", false);
    setupDisplayButton (repliesToggle, 165, 205, kToggleWidth, kToggleHeight, "Replies", "Rply", false);

    drawLabel (inCaption, 40, 300, 200, 30, 16.0f, "MIDI IN Activity");
    inCaption.attachToComponent (&midiInActivityEditor, false);
    drawLabel (outCaption, 385, 300, 200, 30, 16.0f, "MIDI OUT Activity");
    outCaption.attachToComponent (&midiOutActivityEditor, false);

    for (auto* editor : { &midiInActivityEditor, &midiOutActivityEditor })
    {
        addAndMakeVisible (*editor);
        editor->setMultiLine (true);
        editor->setReturnKeyStartsNewLine (true);
        editor->setScrollbarsShown (true);
        editor->setCaretVisible (false);
        editor->setPopupMenuEnabled (true);
        editor->setColour (juce::TextEditor::backgroundColourId, juce::Colours::grey);
        editor->setColour (juce::TextEditor::outlineColourId, juce::Colour (0x1c000000));
        editor->setColour (juce::TextEditor::shadowColourId, juce::Colour (0x16000000));
        editor->setLookAndFeel (&editorLook);
    }
    midiInActivityEditor.setReadOnly (false);
    midiInActivityEditor.setColour (juce::TextEditor::textColourId, juce::Colours::black);
    midiOutActivityEditor.setReadOnly (true);
    midiOutActivityEditor.setColour (juce::TextEditor::textColourId, juce::Colours::darkred);

    addAndMakeVisible (clearButton);
    clearButton.addListener (this);
    clearButton.setColour (juce::TextButton::buttonColourId, juce::Colours::darkgrey);
    clearButton.setColour (juce::TextButton::textColourOffId, juce::Colours::white);
    clearButton.setColour (juce::TextButton::textColourOnId, juce::Colours::green);
    clearButton.setButtonText ("Clear");
    clearButton.setName ("ClrMidiMonitor");
    clearButton.setLookAndFeel (&buttonLook);

    MonitorFilterFlags startStates;
    startStates.noteOn = 1;
    startStates.noteOff = 1;
    startStates.replies = 0;
    startStates.pressure = 1;
    startStates.sysex = 0;
    startStates.timeStamp = 0;
    startStates.sustain = 0;
    startStates.controllers = 1;
    owner.monitorFilter = startStates;

    resized();
}

Monitor::~Monitor()
{
    for (auto* button : getButtons())
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }

    midiInActivityEditor.setLookAndFeel (nullptr);
    midiOutActivityEditor.setLookAndFeel (nullptr);
}

juce::Array<juce::Button*> Monitor::getButtons()
{
    return { &noteOnToggle, &pressureToggle, &noteOffToggle, &sysexToggle, &controllersToggle,
             &timeToggle,   &sustainsToggle, &repliesToggle, &clearButton };
}

void Monitor::setupDisplayButton (juce::TextButton& button, int x, int y, int width, int height,
                                  const juce::String& text, const juce::String& name, bool initiallyOn)
{
    addAndMakeVisible (button);
    button.addListener (this);
    button.setBounds (x, y, width, height);

    setToggleButtonColours (button, findColour (juce::TextButton::buttonColourId));

    button.setButtonText (text);
    button.setName (name);
    button.setClickingTogglesState (true);
    button.setLookAndFeel (&buttonLook);
    button.setToggleState (initiallyOn, juce::sendNotification);
}

void Monitor::drawLabel (juce::Label& label, int x, int y, int width, int height, float fontHeight,
                         const juce::String& text)
{
    addAndMakeVisible (label);
    label.setText (text, juce::dontSendNotification);
    label.setBounds (x, y, width, height);
    label.setFont (juce::Font (fontHeight));
    label.setColour (juce::Label::textColourId, juce::Colours::lightgrey);
}

//==============================================================================
bool Monitor::hitTest (int x, int y)
{
    for (auto* button : getButtons())
        if (button->getBounds().contains (x, y))
            return true;

    return midiInActivityEditor.getBounds().contains (x, y)
           || midiOutActivityEditor.getBounds().contains (x, y);
}

void Monitor::paint (juce::Graphics& g)
{
    const auto w = getWidth();
    const auto h = getHeight();
    const auto a = (int) (0.35 * w);
    const auto b = w - a;

    g.fillAll (panelColour);

    g.setColour (juce::Colours::grey);
    g.drawLine ((float) (b - a), 61.0f, (float) (b - a), (float) (h - 40), 2.0f);
    g.drawLine ((float) b, 62.0f, (float) b, (float) (h - 65), 2.0f);
}

void Monitor::resized()
{
    const auto w = getWidth();
    const auto h = getHeight();
    const auto a = (int) (0.35 * w);
    const auto b = w - a;

    midiInActivityEditor.setBounds (b - a + 40, 60, a - 80, (int) (0.65 * h));
    midiOutActivityEditor.setBounds (b + 40, 60, w - b - 80, (int) (0.65 * h));
    clearButton.setBounds (b - 21, h - 55, 42, 20);
}

void Monitor::buttonClicked (juce::Button* button)
{
    const u8 state = button->getToggleState() ? 1 : 0;
    const auto name = button->getName();
    auto& filter = owner.monitorFilter;

    if (name == "NtOn")
        filter.noteOn = state;
    else if (name == "Noff")
        filter.noteOff = state;
    else if (name == "Rply")
        filter.replies = state;
    else if (name == "P_on")
        filter.pressure = state;
    else if (name == "Sysx")
        filter.sysex = state;
    else if (name == "Time")
        filter.timeStamp = state;
    else if (name == "Sust")
        filter.sustain = state;
    else if (name == "Cont")
        filter.controllers = state;
    else if (name == "ClrMidiMonitor")
    {
        midiInActivityEditor.clear();
        midiOutActivityEditor.clear();
    }
}
