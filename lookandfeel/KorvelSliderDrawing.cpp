#include "KorvelSliderDrawing.h"

namespace korvel_slider
{
void drawLinearSlider (juce::LookAndFeel& look, juce::Graphics& g, int x, int y, int width, int height,
                       float sliderPos, float minSliderPos, float maxSliderPos,
                       juce::Slider::SliderStyle style, juce::Slider& slider, Lengths lengths)
{
    g.setColour (juce::Colour (0x64505050));
    g.fillRoundedRectangle ((float) (x - 10), (float) y, (float) (width + lengths.trackExtraWidth),
                            (float) height, 6.0f);

    // The strip spans the whole track whatever the value; only the thumb shows the value.
    const auto stripX = (float) x + lengths.stripInset;
    const auto stripW = (float) width + lengths.stripWidthDelta;
    const auto stripH = 0.1f * (float) height;
    const auto stripY = (float) y + ((float) height - stripH) / 2.0f;
    const auto track = slider.findColour (juce::Slider::trackColourId);

    g.setGradientFill (juce::ColourGradient (track.darker (0.5f), stripX, stripY, track.brighter (0.1f),
                                             stripX, stripY + stripH, false));
    g.fillRect (stripX, stripY, stripW, stripH);

    g.setColour (juce::Colour (0x26000000));
    g.fillRect (stripX, stripY + 0.8f * stripH, stripW, 0.2f * stripH);
    g.setColour (juce::Colour (0x26ffffff));
    g.fillRect (stripX, stripY, stripW, 0.2f * stripH);

    look.drawLinearSliderThumb (g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos, style, slider);
}

void drawLinearSliderThumb (juce::Graphics& g, int y, int height, float sliderPos)
{
    const auto tx = sliderPos - 7.5f;
    const auto ty = (float) y + (float) (height - 35) / 2.0f;

    juce::DropShadow (juce::Colour (0xff000000), 5, { -4, 6 })
        .drawForRectangle (g, juce::Rectangle<int> ((int) tx, (int) ty, 15, 35));

    g.setColour (juce::Colour (0xff1a1a1a));
    g.fillRoundedRectangle (tx, ty + 5.0f, 15.0f, 25.0f, 4.0f);

    g.setColour (juce::Colour (0xffd3d3d3));
    g.fillRect (tx, ty, 15.0f, 5.0f);
    g.fillRect (tx, ty + 30.0f, 15.0f, 5.0f);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x4cffffff), tx, ty, juce::Colour (0xff1a1a1a), tx,
                                             ty + 35.0f, false));
    g.fillRoundedRectangle (tx, ty + 5.0f, 15.0f, 25.0f, 4.0f);
}
} // namespace korvel_slider
