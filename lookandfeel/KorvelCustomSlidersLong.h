#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/** The parameter-slider look, longer, for the advanced-parameter window. */
class KorvelCustomSlidersLong : public LookAndFeel_V4
{
public:
    KorvelCustomSlidersLong() = default;

    void drawLinearSlider (Graphics& g, int x, int y, int width, int height, float sliderPos,
                           float minSliderPos, float maxSliderPos, const Slider::SliderStyle style,
                           Slider& slider) override;

    void drawLinearSliderThumb (Graphics& g, int x, int y, int width, int height, float sliderPos,
                                float minSliderPos, float maxSliderPos, const Slider::SliderStyle style,
                                Slider& slider) override;

    /** Fixed slider and value-box bounds, whatever the slider's size or style. */
    Slider::SliderLayout getSliderLayout (Slider& slider) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomSlidersLong)
};
} // namespace juce
