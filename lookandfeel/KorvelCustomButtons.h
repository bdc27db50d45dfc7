#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/**
    The text-button style: a rounded rectangle with a vertical light-to-dark gradient that
    brightens under the mouse and darkens while pressed. A button whose "generic" property
    is true also carries a grey power symbol.
*/
class KorvelCustomButtons : public LookAndFeel_V4
{
public:
    KorvelCustomButtons() = default;

    void drawButtonBackground (Graphics& g, Button& button, const Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** The gradient fill shared with the refresh style; hover and press are read from the button. */
    static void fillButtonGradient (Graphics& g, Button& button, Colour base);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomButtons)
};
} // namespace juce
