#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

//==============================================================================
/** A busy indicator: twelve spokes fading from white to grey, turning one step every five frames. */
class CustomSpinner : public juce::Component, private juce::Timer
{
public:
    CustomSpinner();
    ~CustomSpinner() override;

    void paint (juce::Graphics& g) override;

    int frameCounter = 0;

private:
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CustomSpinner)
};
