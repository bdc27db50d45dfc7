#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/** Scroll bars of the activity logs: a rounded thumb only, no track and no arrows. */
class KorvelCustomTextEditor : public LookAndFeel_V4
{
public:
    KorvelCustomTextEditor() = default;

    void drawScrollbar (Graphics& g, ScrollBar& scrollbar, int x, int y, int width, int height,
                        bool isScrollbarVertical, int thumbStartPosition, int thumbSize, bool isMouseOver,
                        bool isMouseDown) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomTextEditor)
};
} // namespace juce
