#include "KorvelCustomSlidersLong.h"

#include "KorvelSliderDrawing.h"

namespace juce
{
void KorvelCustomSlidersLong::drawLinearSlider (Graphics& g, int x, int y, int width, int height,
                                                float sliderPos, float minSliderPos, float maxSliderPos,
                                                const Slider::SliderStyle style, Slider& slider)
{
    korvel_slider::drawLinearSlider (*this, g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos,
                                     style, slider, { 25, 3.0f, 1.0f });
}

void KorvelCustomSlidersLong::drawLinearSliderThumb (Graphics& g, int, int y, int, int height,
                                                     float sliderPos, float, float, const Slider::SliderStyle,
                                                     Slider&)
{
    korvel_slider::drawLinearSliderThumb (g, y, height, sliderPos);
}

Slider::SliderLayout KorvelCustomSlidersLong::getSliderLayout (Slider&)
{
    Slider::SliderLayout layout;
    layout.sliderBounds = { 15, 0, 255, 42 };
    layout.textBoxBounds = { 310, 8, 40, 25 };
    return layout;
}
} // namespace juce
