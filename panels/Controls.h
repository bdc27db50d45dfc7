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

    juce::ComboBox midiInputBox, midiOutputBox;

    MainContentComponent& owner;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Controls)
};
