#include "Controls.h"

#include "app/MainContentComponent.h"
#include "protocol/Midi9Frame.h"
#include "protocol/MidiControllers.h"

Controls::Controls (MainContentComponent& ownerToUse) : owner (ownerToUse)
{
    for (int channel = 1; channel <= 16; ++channel)
        midiChannelBox.addItem (juce::String (channel), channel);

    midiResolutionBox.addItemList ({ "Current", "7-bit", "14-bit" }, 1);
    ccTransmitBox.addItemList ({ "Current", "On", "Off" }, 1);

    transposeBox.addItem ("0", 1);
    for (int semitones = 1; semitones <= 11; ++semitones)
        transposeBox.addItem ("+" + juce::String (semitones), semitones + 1);

    octaveBox.addItemList ({ "-2", "-1", "0", "+1", "+2" }, 1);
    sustainModeBox.addItemList ({ "Sustain On/Off", "Sustain Smooth" }, 1);
    pressureModeBox.addItemList ({ "Pressure ON", "Pressure OFF" }, 1);

    midiChannelBox.setSelectedId (1, juce::dontSendNotification);
    midiResolutionBox.setSelectedId (1, juce::dontSendNotification);
    ccTransmitBox.setSelectedId (1, juce::dontSendNotification);
    transposeBox.setSelectedId (1, juce::dontSendNotification);
    octaveBox.setSelectedId (3, juce::dontSendNotification);
    sustainModeBox.setSelectedId (2, juce::dontSendNotification);
    pressureModeBox.setSelectedId (1, juce::dontSendNotification);

    velocitySlider.setRange (-16.0, 16.0, 1.0);
    pressureGainSlider.setRange (0.0, 100.0, 1.0);
    keySplitSlider.setRange (27.0, 101.0, 1.0);
}

Controls::~Controls() = default;

void Controls::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff2e3333));
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

void Controls::getParametersFromTarget()
{
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
