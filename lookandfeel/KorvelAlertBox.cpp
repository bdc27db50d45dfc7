#include "KorvelAlertBox.h"

#include "compat/JuceCompat.h"

namespace korvel_alert
{
juce::AlertWindow* createAlertWindow (juce::LookAndFeel& look, const juce::String& title,
                                      const juce::String& message, const juce::String& button1,
                                      const juce::String& button2, const juce::String& button3,
                                      juce::MessageBoxIconType iconType, int numButtons)
{
    auto* alert = new juce::AlertWindow (title, message, iconType, nullptr);

    if (numButtons >= 1)
        alert->addButton (button1, 1);
    if (numButtons >= 2)
        alert->addButton (button2, 2);
    if (numButtons >= 3)
        alert->addButton (button3, 3);

    alert->setLookAndFeel (&look);
    return alert;
}

void drawAlertBox (juce::LookAndFeel& look, juce::Graphics& g, juce::AlertWindow& alert,
                   juce::TextLayout& textLayout, const juce::String& firstPart,
                   const juce::String& secondPart, float secondPartHeight)
{
    const auto width = alert.getWidth();
    const auto height = alert.getHeight();

    g.setColour (juce::Colours::darkgrey);
    g.drawRoundedRectangle (0.0f, 0.0f, (float) width, (float) height, 0.0f, 4.0f);

    // Only the outermost pixel of the frame, which straddles the edge, stays visible.
    const juce::Rectangle<int> inner (1, 1, juce::jmax (width - 2, 0), juce::jmax (height - 2, 0));
    g.reduceClipRegion (inner);
    g.setColour (juce::Colour (0xff2e3333));
    g.fillRoundedRectangle (inner.toFloat(), 0.0f);

    juce::AttributedString text;
    text.append (firstPart, juce::FontOptions (24.0f), juce::Colours::lightgrey);
    text.append (secondPart, juce::FontOptions (secondPartHeight), juce::Colour (0xffde6a40));
    text.setJustification (juce::Justification::centred);

    textLayout = juce::TextLayout();
    textLayout.createLayout (text, (float) (width - 2));

    const auto buttonHeight = look.getAlertWindowButtonHeight();
    textLayout.draw (g, juce::Rectangle<float> (1.0f, 10.0f, (float) (width - 2),
                                                (float) (height - 2 - buttonHeight - 40)));
}
} // namespace korvel_alert
