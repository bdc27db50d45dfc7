#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/**
    The application-wide look: every font resolves to the embedded sans-serif face, the
    title bar is flat with the logo and the window name in the serif headline face, and the
    only title-bar button is a round close button.
*/
class KorvelCustomLookAndFeel : public LookAndFeel_V4
{
public:
    KorvelCustomLookAndFeel() = default;
    ~KorvelCustomLookAndFeel() override;

    Typeface::Ptr getTypefaceForFont (const Font& font) override;

    void drawDocumentWindowTitleBar (DocumentWindow& window, Graphics& g, int w, int h, int titleSpaceX,
                                     int titleSpaceW, const Image* icon, bool drawTitleTextOnLeft) override;

    Button* createDocumentWindowButton (int buttonType) override;

    /** The embedded sans-serif face, made on first use; null if it cannot be made. */
    static Typeface::Ptr getCustomFont();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomLookAndFeel)
};
} // namespace juce
