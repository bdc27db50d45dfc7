#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// What the three alert styles share: they build framework alerts the same way and draw the
// same frame; each draws its own two-part text instead of the alert's message.
namespace korvel_alert
{
/** A framework alert with up to three buttons (results 1, 2, 3, no shortcut keys), in `look`. */
juce::AlertWindow* createAlertWindow (juce::LookAndFeel& look, const juce::String& title,
                                      const juce::String& message, const juce::String& button1,
                                      const juce::String& button2, const juce::String& button3,
                                      juce::MessageBoxIconType iconType, int numButtons);

/** The frame, the panel fill and the two text parts, centred above the buttons. */
void drawAlertBox (juce::LookAndFeel& look, juce::Graphics& g, juce::AlertWindow& alert,
                   juce::TextLayout& textLayout, const juce::String& firstPart,
                   const juce::String& secondPart, float secondPartHeight);
} // namespace korvel_alert
