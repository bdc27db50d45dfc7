#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/** The button style with a black refresh arrow over the gradient background. */
class KorvelCustomRefreshButton : public LookAndFeel_V4
{
public:
    KorvelCustomRefreshButton() = default;

    void drawButtonBackground (Graphics& g, Button& button, const Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomRefreshButton)
};
} // namespace juce
