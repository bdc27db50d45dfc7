#include "KorvelCustomTextEditor.h"

namespace juce
{
void KorvelCustomTextEditor::drawScrollbar (Graphics& g, ScrollBar&, int x, int y, int width, int height,
                                            bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                                            bool isMouseOver, bool)
{
    const auto thumb = isScrollbarVertical ? Rectangle<int> (x, thumbStartPosition, width, thumbSize)
                                           : Rectangle<int> (thumbStartPosition, y, thumbSize, height);

    // Rectangle::reduced keeps the centre for a thumb too small to shrink; this one collapses.
    const Rectangle<int> inner (thumb.getX() + 1, thumb.getY() + 1, jmax (0, thumb.getWidth() - 2),
                                jmax (0, thumb.getHeight() - 2));

    g.setColour (isMouseOver ? Colour (0xff64695b) : Colour (0xff555555));
    g.fillRoundedRectangle (inner.toFloat(), 4.0f);
}
} // namespace juce
