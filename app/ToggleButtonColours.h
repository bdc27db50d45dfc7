#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The colours of the menu column buttons and the Monitor toggles: the same face on and off,
    so only the text tells the state (light grey off, accent on). */
inline void setToggleButtonColours (juce::TextButton& button, juce::Colour face)
{
    button.setColour (juce::TextButton::buttonColourId, face);
    button.setColour (juce::TextButton::buttonOnColourId, face);
    button.setColour (juce::TextButton::textColourOffId, juce::Colours::lightgrey);
    button.setColour (juce::TextButton::textColourOnId, juce::Colour (0xffde6a40));
    button.setColour (juce::ComboBox::outlineColourId, juce::Colours::black);
}
