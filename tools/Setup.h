#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MainContentComponent;

//==============================================================================
/** The SETUP view: software version, board status and the maintenance tools. */
class Setup : public juce::Component
{
public:
    explicit Setup (MainContentComponent& ownerToUse);
    ~Setup() override;

    void paint (juce::Graphics& g) override;

    MainContentComponent& owner;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Setup)
};
