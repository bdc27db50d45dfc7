#include "KorvelCustomSliders.h"

#include "KorvelSliderDrawing.h"

namespace juce
{
void KorvelCustomSliders::drawLinearSlider (Graphics& g, int x, int y, int width, int height, float sliderPos,
                                            float minSliderPos, float maxSliderPos,
                                            const Slider::SliderStyle style, Slider& slider)
{
    korvel_slider::drawLinearSlider (*this, g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos,
                                     style, slider, { 20, 1.0f, -2.0f });
}

void KorvelCustomSliders::drawLinearSliderThumb (Graphics& g, int, int y, int, int height, float sliderPos,
                                                 float, float, const Slider::SliderStyle, Slider&)
{
    korvel_slider::drawLinearSliderThumb (g, y, height, sliderPos);
}

Slider::SliderLayout KorvelCustomSliders::getSliderLayout (Slider&)
{
    Slider::SliderLayout layout;
    layout.sliderBounds = { 10, 0, 130, 42 };
    layout.textBoxBounds = { 170, 8, 40, 25 };
    return layout;
}
} // namespace juce
