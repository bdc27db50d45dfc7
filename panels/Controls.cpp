#include "Controls.h"

#include "AdvancedParameterCtrl.h"
#include "app/MainContentComponent.h"
#include "lookandfeel/KorvelWidgetStyle.h"
#include "protocol/Midi9Frame.h"
#include "protocol/MidiControllers.h"
#include "protocol/PerformanceFrames.h"

namespace
{
/** Where split note n (28..100) sits on the indicator bar under the keyboard, at index n - 1.
    The keys are not evenly spaced on the bar, hence a table. */
constexpr double keySplitSliderValues[101] = {
    0,        0,       0,       0,       0,       0,       0,        0,        0,       0,        0,
    0,        0,       0,       0,       0,       0,       0,        0,        0,       0,        0,
    0,        0,       0,       0,       0,       0,       0.226067, 0.344014, 0.49575, 0.618849, 0.761679,
    0.881702, 1.03687, 1.16588, 1.29146, 1.44927, 1.5607,  1.72107,  1.85791,  1.98108, 2.13306,  2.24781,
    2.39328,  2.51741, 2.66811, 2.77823, 2.92434, 3.07819, 3.17696,  3.34855,  3.49358, 3.6152,   3.76598,
    3.88229,  4.03175, 4.15061, 4.29416, 4.43611, 4.56959, 4.72333,  4.82258,  4.98622, 5.13233,  5.25203,
    5.39941,  5.52702, 5.67433, 5.77286, 5.93546, 6.0586,  6.18993,  6.35041,  6.45825, 6.61446,  6.75989,
    6.87017,  7.03433, 7.13721, 7.29251, 7.40622, 7.55704, 7.69052,  7.82312,  7.97222, 8.09301,  8.25093,
    8.38526,  8.50975, 8.65702, 8.77181, 8.92546, 9.03414, 9.19958,  9.31896,  9.45185, 9.61129,  9.73052,
    9.87878,  10
};

constexpr int kLowestSplitNote = 28;
constexpr int kHighestSplitNote = 100;

struct CaptionRow
{
    const char* text;
    int x, y;
    float fontHeight;
};

constexpr CaptionRow captionRows[18] = {
    { "MIDI Device", 20, 32, 16 },   { "MIDI Input Port", 20, 67, 14 },  { "MIDI Output Port", 20, 107, 14 },
    { "MIDI Channel", 20, 146, 14 }, { "MIDI Resolution", 20, 180, 14 }, { "CC Transmit", 20, 216, 14 },
    { "Curves", 368, 32, 16 },       { "Velocity", 368, 70, 14 },        { "Sensitivity", 368, 85, 14 },
    { "Pressure", 368, 130, 14 },    { "Gain", 368, 145, 14 },           { "Keyboard", 368, 190, 14 },
    { "Split", 368, 205, 14 },       { "Controls", 725, 32, 16 },        { "Transpose", 725, 72, 14 },
    { "Octave", 725, 119, 14 },      { "Sustain Mode", 725, 162, 14 },   { "Pressure Mode", 725, 202, 14 },
};

/** Note names as the instrument's owners know them: sharps, middle C (60) is "C3". */
juce::String noteName (int note)
{
    return juce::MidiMessage::getMidiNoteName (note, true, true, 3);
}
} // namespace

//==============================================================================
double Controls::CustomKeySplitSlider::getValueFromText (const juce::String& text)
{
    static const juce::StringArray names { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };

    const auto last = text.getLastCharacter();
    const int octave = juce::CharacterFunctions::isDigit (last) ? (int) (last - '0') : 0;
    const int index = names.indexOf (text.dropLastCharacters (1), false);

    return index >= 0 ? index + 12 * octave + 24 : 0;
}

juce::String Controls::CustomKeySplitSlider::getTextFromValue (double value)
{
    const auto note = (int) value;
    return (note >= kLowestSplitNote && note <= kHighestSplitNote) ? noteName (note) : "none";
}

//==============================================================================
Controls::Controls (MainContentComponent& ownerToUse) : owner (ownerToUse)
{
    selfReference = this;
    juce::LookAndFeel::setDefaultLookAndFeel (&sliderLook);

    for (size_t i = 0; i < captions.size(); ++i)
        drawLabel (captions[i], captionRows[i].x, captionRows[i].y, captionRows[i].fontHeight,
                   captionRows[i].text);

    drawComboBoxes (midiInputBox, 140, 68, 185, "No MIDI Inputs Enabled");
    drawComboBoxes (midiOutputBox, 140, 107, 185, "No MIDI Outputs Enabled");
    drawComboBoxes (midiChannelBox, 140, 148, 75, "n/a");
    drawComboBoxes (midiResolutionBox, 140, 183, 95, "n/a");
    drawComboBoxes (ccTransmitBox, 140, 217, 95, "n/a");
    drawComboBoxes (transposeBox, 835, 75, 70, "n/a");
    drawComboBoxes (octaveBox, 835, 122, 70, "n/a");
    drawComboBoxes (sustainModeBox, 835, 165, 140, "n/a");
    drawComboBoxes (pressureModeBox, 835, 205, 140, "n/a");

    for (int channel = 1; channel <= 16; ++channel)
        midiChannelBox.addItem (juce::String (channel), channel);

    midiResolutionBox.addItemList ({ "Current", "7-bit", "14-bit" }, 1);
    ccTransmitBox.addItemList ({ "Current", "On", "Off" }, 1);
    ccTransmitBox.setSelectedId (1, juce::sendNotificationAsync);

    transposeBox.addItem ("0", 1);
    for (int semitones = 1; semitones <= 11; ++semitones)
        transposeBox.addItem ("+" + juce::String (semitones), semitones + 1);

    octaveBox.addItemList ({ "-2", "-1", "0", "+1", "+2" }, 1);
    sustainModeBox.addItemList ({ "Sustain On/Off", "Sustain Smooth" }, 1);
    pressureModeBox.addItemList ({ "Pressure ON", "Pressure OFF" }, 1);

    // The channel's first notification arrives after the main component is built and opens
    // the chosen input; "Current" sends nothing.
    midiChannelBox.setSelectedId (1, juce::sendNotification);
    midiResolutionBox.setSelectedId (1, juce::sendNotificationAsync);
    transposeBox.setSelectedId (1, juce::dontSendNotification);
    octaveBox.setSelectedId (3, juce::dontSendNotification);
    sustainModeBox.setSelectedId (2, juce::dontSendNotification);
    pressureModeBox.setSelectedId (1, juce::dontSendNotification);

    drawSlider (velocitySlider, 70, 245, -16.0, 16.0);
    drawSlider (pressureGainSlider, 128, 245, 0.0, 100.0);
    drawSlider (keySplitSlider, 188, 210, 27.0, 101.0);

    // "Pressure ON" before any "Pressure OFF" restores what is shown now, never garbage.
    savedPressureGain = (int) pressureGainSlider.getValue();

    KorvelWidgetStyle::button (*this, refreshPortsButton, this, buttonLook, { 228, 150, 95, 22 },
                               "Refresh Ports", "refreshPorts", false);
    KorvelWidgetStyle::button (*this, velocityCurveButton, this, buttonLook, { 665, 77, 25, 25 }, "+",
                               "velocityCurve", false);
    KorvelWidgetStyle::button (*this, pressureParametersButton, this, buttonLook, { 665, 135, 25, 25 }, "+",
                               "pressureParameters", false);
    KorvelWidgetStyle::button (*this, keySplitButton, this, buttonLook, { 665, 196, 25, 25 }, "+", "keySplit",
                               false);

    for (auto* button :
         { &refreshPortsButton, &velocityCurveButton, &pressureParametersButton, &keySplitButton })
        button->setEnabled (true);

    for (auto* plus : { &velocityCurveButton, &pressureParametersButton, &keySplitButton })
        plus->setColour (juce::TextButton::textColourOffId, juce::Colour (0xffde6a40));

    midiChannelBox.setSelectedId (1, juce::sendNotification);
}

Controls::~Controls()
{
    if (auto* dialog = splitDialog.getComponent())
    {
        KorvelWidgetStyle::releaseAlertLooks (*dialog);
        delete dialog;
    }

    for (auto* box : { &midiInputBox, &midiOutputBox, &midiChannelBox, &midiResolutionBox, &ccTransmitBox,
                       &transposeBox, &octaveBox, &sustainModeBox, &pressureModeBox })
        box->removeListener (this);

    for (auto* slider :
         { &velocitySlider, &pressureGainSlider, static_cast<juce::Slider*> (&keySplitSlider) })
    {
        slider->removeListener (this);
        slider->setLookAndFeel (nullptr);
    }

    for (auto* button :
         { &refreshPortsButton, &velocityCurveButton, &pressureParametersButton, &keySplitButton })
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }

    if (&juce::LookAndFeel::getDefaultLookAndFeel() == &sliderLook)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}

//==============================================================================
void Controls::drawLabel (juce::Label& label, int x, int y, float fontHeight, const juce::String& text)
{
    KorvelWidgetStyle::caption (*this, label, { x, y, 200, 30 }, fontHeight, text);
}

void Controls::drawComboBoxes (juce::ComboBox& box, int x, int y, int width, const juce::String& emptyText)
{
    addAndMakeVisible (box);
    box.setTextWhenNothingSelected (emptyText);
    box.addListener (this);
    box.setBounds (x, y, width, 25);
    box.setColour (juce::ComboBox::outlineColourId, juce::Colours::darkgrey);
    box.setColour (juce::ComboBox::textColourId, juce::Colours::lightgrey);
    box.setEnabled (true);
}

void Controls::drawSlider (juce::Slider& slider, int y, int width, double minimum, double maximum)
{
    addAndMakeVisible (slider);
    slider.addListener (this);
    slider.setChangeNotificationOnlyOnRelease (true);
    keySplitSlider.toFront (false);
    keySplitSlider.setEnabled (true);
    slider.setSliderStyle (juce::Slider::LinearHorizontal);
    slider.setRange (minimum, maximum, 1.0);
    slider.setValue (0.0, juce::sendNotification);
    slider.setBounds (438, y, width, 42);
    slider.setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::grey);
    slider.setColour (juce::Slider::textBoxTextColourId, juce::Colours::lightgrey);
    slider.setLookAndFeel (&sliderLook);
}

//==============================================================================
void Controls::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff2e3333));

    g.setColour (juce::Colours::grey);
    g.drawRect (5, 5, juce::jmax (0, getWidth() - 10), juce::jmax (0, getHeight() - 10), 3);

    // The column separators stop above the keyboard when it is shown.
    const auto bottom = (float) (getHeight() - (owner.keyboardShown != 0 ? 130 : 40));
    g.drawLine (351.0f, 61.0f, 351.0f, bottom, 2.0f);
    g.drawLine (710.0f, 62.0f, 710.0f, bottom, 2.0f);
}

juce::Array<juce::Component*> Controls::getSettingWidgets()
{
    return { &midiChannelBox, &midiResolutionBox, &ccTransmitBox,  &transposeBox,       &octaveBox,
             &sustainModeBox, &pressureModeBox,   &velocitySlider, &pressureGainSlider, &keySplitSlider };
}

void Controls::disableAllUi()
{
    setSettingWidgetsEnabled (false);
}

void Controls::enableAllUi()
{
    setSettingWidgetsEnabled (true);
}

void Controls::setSettingWidgetsEnabled (bool enabled)
{
    for (auto* widget : getSettingWidgets())
        widget->setEnabled (enabled);
}

//==============================================================================
void Controls::sliderValueChanged (juce::Slider* slider)
{
    if (slider == &velocitySlider)
    {
        const auto sensitivity = (int) velocitySlider.getValue();
        owner.logOutMessage ("New Velocity Sensitivity: " + juce::String (sensitivity));
        owner.sendToInstrument (velocity_sensitivity_frame (sensitivity));
    }
    else if (slider == &pressureGainSlider)
    {
        const auto gain = (int) pressureGainSlider.getValue();
        owner.logOutMessage ("New After Pressure Gain: " + juce::String (gain));
        if (owner.sendToInstrument (after_pressure_gain_frame (gain)))
            gainEchoes.sent (gain);
    }
    else if (slider == &keySplitSlider)
    {
        keySplitChanged();
    }
}

void Controls::keySplitChanged()
{
    const auto value = (int) keySplitSlider.getValue();
    const auto note = (value >= kLowestSplitNote && value <= kHighestSplitNote) ? value : 0;

    if (owner.instrumentOutputFound == 1 && owner.sendToInstrument (key_split_frame (note)))
        splitEchoes.sent (note);

    owner.keySplitZones.lowerZoneLastNote = (u8) ((note - 1) & 0xFF);
    owner.keySplitZones.upperZoneFirstNote = (u8) note;
    owner.keySplitNote = note;

    owner.logOutMessage ("Low Zone: C0 to " + noteName (owner.keySplitZones.lowerZoneLastNote));
    owner.logOutMessage ("High Zone: " + noteName (owner.keySplitZones.upperZoneFirstNote) + " to C6");

    owner.keySplitIndicator.setValue (note > 0 ? keySplitSliderValues[note - 1] : 10.0,
                                      juce::dontSendNotification);
}

void Controls::comboBoxChanged (juce::ComboBox* box)
{
    const auto id = box->getSelectedId();

    // The two CCs only mean something to the instrument itself.
    auto sendControlChange = [this] (int controller, int value, const juce::String& line)
    {
        if (owner.instrumentOutputFound != 1)
            return;

        owner.sendToInstrument (channel_control_change (midiChannelBox.getSelectedId(), controller, value));
        owner.logOutMessage (line);
    };

    if (box == &midiChannelBox)
    {
        if (!channelChangeSeen)
        {
            channelChangeSeen = true;
            owner.setMidiInputTimer (midiInputBox.getSelectedItemIndex());
        }
        else if (owner.sendToInstrument (midi_channel_frame (id)))
        {
            channelEchoes.sent (id);
        }
    }
    else if (box == &midiInputBox)
    {
        owner.setMidiInputTimer (midiInputBox.getSelectedItemIndex());
    }
    else if (box == &midiOutputBox)
    {
        owner.setMidiOutput (midiOutputBox.getSelectedItemIndex());
    }
    else if (box == &midiResolutionBox)
    {
        if (id == 2)
            sendControlChange (0x66, 0x00, "MIDI Thinning: 7-bit Mode");
        else if (id == 3)
            sendControlChange (0x66, 0x40, "MIDI Thinning: 14-bit Mode");
    }
    else if (box == &ccTransmitBox)
    {
        if (id == 2)
            sendControlChange (0x68, 0x40, "Local Control: ON");
        else if (id == 3)
            sendControlChange (0x68, 0x00, "Local Control: OFF");
    }
    else if (box == &transposeBox)
    {
        owner.logOutMessage ("SemiTone Shift: +" + juce::String (id - 1));
        middleCReferenceChanged();
    }
    else if (box == &octaveBox)
    {
        owner.logOutMessage ((id >= 4 ? "Octave Shift: +" : "Octave Shift: ") + juce::String (id - 3));
        middleCReferenceChanged();
    }
    else if (box == &sustainModeBox)
    {
        if (id == 1 || id == 2)
        {
            const auto mode = id == 1 ? PEDAL_MODE_SWITCH : PEDAL_MODE_SMOOTH;
            owner.sustainMode = mode;
            owner.sendToInstrument (sustain_mode_frame (mode));
            owner.logOutMessage ("Sustain Mode: " + sustainModeBox.getText());
        }
    }
    else if (box == &pressureModeBox)
    {
        // The gain slider's own notification sends the gain.
        if (id == 2)
        {
            savedPressureGain = (int) pressureGainSlider.getValue();
            pressureGainSlider.setValue (0.0, juce::sendNotification);
        }
        else if (id == 1)
        {
            pressureGainSlider.setValue (savedPressureGain, juce::sendNotification);
        }
    }
}

void Controls::middleCReferenceChanged()
{
    const auto note = middle_c_reference_note (transposeBox.getSelectedId(), octaveBox.getSelectedId());
    owner.logOutMessage ("New Middle C Reference " + noteName (note));

    if (owner.sendToInstrument (middle_c_reference_frame (note)))
        middleCEchoes.sent (note);
}

//==============================================================================
bool Controls::PendingEchoes::isStale (int reported)
{
    const auto echoed = std::find (values.begin(), values.end(), reported);

    if (echoed == values.end())
        return false;

    // Anything sent before the echoed value was lost or answered out of order.
    values.erase (values.begin(), echoed + 1);
    return !values.empty();
}

void Controls::showAfterPressureGain (int gain)
{
    if (!gainEchoes.isStale (gain))
        pressureGainSlider.setValue (gain, juce::sendNotification);
}

void Controls::showKeySplitNote (int note)
{
    if (!splitEchoes.isStale (note))
        keySplitSlider.setValue (note, juce::sendNotification);
}

void Controls::selectMidiChannelItem (int itemId)
{
    if (!channelEchoes.isStale (itemId))
        midiChannelBox.setSelectedId (itemId, juce::sendNotificationAsync);
}

void Controls::selectTransposeAndOctaveItems (int transposeId, int octaveId)
{
    if (middleCEchoes.isStale (middle_c_reference_note (transposeId, octaveId)))
        return;

    transposeBox.setSelectedId (transposeId, juce::sendNotificationAsync);
    octaveBox.setSelectedId (octaveId, juce::sendNotificationAsync);
}

//==============================================================================
void Controls::buttonClicked (juce::Button* button)
{
    if (button == &refreshPortsButton)
        refreshPorts();
    else if (button == &velocityCurveButton)
        AdvancedParameterCtrlWindow::open (owner, getParentComponent(), 0);
    else if (button == &pressureParametersButton)
        AdvancedParameterCtrlWindow::open (owner, getParentComponent(), 1);
    else if (button == &keySplitButton)
        showSplitDialogBox();
}

void Controls::refreshPorts()
{
    owner.getSelectedMidiPorts();

    if (owner.instrumentOutputFound == 0)
    {
        owner.boardType = 0;
        owner.totalNotes = 255;
    }

    owner.setMidiInput();
    getParametersFromTarget();
    owner.logOutMessage ("Refresh MIDI Ports");
}

void Controls::forgetAwaitedEchoes()
{
    for (auto* echoes : { &gainEchoes, &splitEchoes, &channelEchoes, &middleCEchoes })
        echoes->forget();
}

void Controls::getParametersFromTarget()
{
    forgetAwaitedEchoes();
    owner.logOutMessage ("Querying Parameters...");

    if (owner.instrumentInputFound != 1 || owner.instrumentOutputFound != 1)
        return;

    auto query = [this] (u8 command) { owner.sendToInstrument (midi9_query_frame (command)); };

    query (M9_VELOCITY_SENSITIVITY);
    query (M9_AFTER_PRESSURE_GAIN);
    query (M9_KEY_SPLIT);
    query (M9_MIDDLE_C_REFERENCE);
    query (M9_MIDI_CHANNEL);
    query (M9_AFTER_PRESSURE_RESOLUTION);
    controller_report_request (NRPN_SHARP_OFFSET);
    controller_report_request (NRPN_PRESSURE_RESOLUTION);
    query (M9_VELOCITY_CURVE);
    controller_report_request (NRPN_SUSTAIN_MODE);
}

//==============================================================================
void Controls::showSplitDialogBox()
{
    if (splitDialog != nullptr)
        return;

    auto* dialog = new juce::AlertWindow ("Set Keyboard Split Note", "Waiting for key press...",
                                          juce::MessageBoxIconType::NoIcon, nullptr);
    dialog->setLookAndFeel (&splitWindowLook);

    // Escape means "Disable": the first button registered for it wins.
    dialog->addButton ("OK", 0, juce::KeyPress (juce::KeyPress::returnKey));
    dialog->addButton ("Disable", 1, juce::KeyPress (juce::KeyPress::escapeKey));
    dialog->addButton ("Middle C", 2, juce::KeyPress (juce::KeyPress::escapeKey));
    KorvelWidgetStyle::alertButtons (*dialog, buttonLook,
                                     { { 25, 125, 75, 35 }, { 138, 125, 75, 35 }, { 248, 125, 75, 35 } });

    dialog->setSize (350, 180);
    dialog->centreAroundComponent (nullptr, 350, 180);
    dialog->setTopLeftPosition (dialog->getX() - 275, dialog->getY());

    splitDialog = dialog;

    KorvelWidgetStyle::enterModal (*dialog,
                                   [safeThis = selfReference] (int result)
                                   {
                                       if (safeThis == nullptr)
                                           return;

                                       // Out-of-range values are limited to the slider's "none" end.
                                       if (result == 1)
                                           safeThis->keySplitSlider.setValue (0.0, juce::sendNotification);
                                       else if (result == 2)
                                           safeThis->keySplitSlider.setValue (60.0, juce::sendNotification);

                                       safeThis->splitDialogWaiting = false;
                                   });
    splitDialogWaiting = true;
}

void Controls::setSplitDialogNote (int note)
{
    // Called on the MIDI thread for the instrument's keys: only post.
    juce::MessageManager::callAsync (
        [safeThis = selfReference, note]
        {
            if (safeThis != nullptr)
                safeThis->keySplitSlider.setValue (note, juce::sendNotification);
        });
}
