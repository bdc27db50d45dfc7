#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/**
    The bar above the on-screen keyboard: translucent red left of the split position,
    translucent green right of it. Set on a disabled bar-style slider.
*/
class KorvelKeySplitIndicatorBar : public LookAndFeel_V4
{
public:
    KorvelKeySplitIndicatorBar() = default;

    void drawLinearSlider (Graphics& g, int x, int y, int width, int height, float sliderPos,
                           float minSliderPos, float maxSliderPos, const Slider::SliderStyle style,
                           Slider& slider) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelKeySplitIndicatorBar)
};
} // namespace juce
