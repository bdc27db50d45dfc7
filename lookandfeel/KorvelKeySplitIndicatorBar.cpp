#include "KorvelKeySplitIndicatorBar.h"

namespace juce
{
void KorvelKeySplitIndicatorBar::drawLinearSlider (Graphics& g, int x, int y, int width, int height,
                                                   float sliderPos, float, float, const Slider::SliderStyle,
                                                   Slider&)
{
    g.setColour (Colour (0x64337f33));
    g.fillRect (x, y, width, height);

    // The red part's width is the position itself, measured from the component's left edge.
    g.setColour (Colour (0x64c83333));
    g.fillRect (x, y, (int) sliderPos, height);
}
} // namespace juce
