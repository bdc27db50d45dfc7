#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MainContentComponent;

//==============================================================================
/** The CONTROLS view: MIDI ports and the instrument's performance settings. */
class Controls : public juce::Component
{
public:
    explicit Controls (MainContentComponent& ownerToUse);
    ~Controls() override;

    void paint (juce::Graphics& g) override;

    /** Switch the setting widgets off / on; the port lists and the buttons stay as they are. */
    void disableAllUi();
    void enableAllUi();

    /** Asks the instrument for its current settings, when both of its ports were found. */
    void getParametersFromTarget();

    juce::ComboBox midiInputBox, midiOutputBox;
    juce::Slider velocitySlider, pressureGainSlider;
    juce::ComboBox midiChannelBox, midiResolutionBox, ccTransmitBox, transposeBox, octaveBox, sustainModeBox,
        pressureModeBox;
    juce::Slider keySplitSlider;

    MainContentComponent& owner;

private:
    juce::Array<juce::Component*> getSettingWidgets();
    void setSettingWidgetsEnabled (bool enabled);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Controls)
};
