#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The parameter-slider look shared by the two slider styles, which differ only in lengths.
namespace korvel_slider
{
struct Lengths
{
    int trackExtraWidth; // the track runs from x - 10 over width + this
    float stripInset; // the strip starts this far right of x
    float stripWidthDelta; // and is this much wider than the slider area
};

/** Grey rounded track, a thin gradient strip along its middle, then the thumb. */
void drawLinearSlider (juce::LookAndFeel& look, juce::Graphics& g, int x, int y, int width, int height,
                       float sliderPos, float minSliderPos, float maxSliderPos,
                       juce::Slider::SliderStyle style, juce::Slider& slider, Lengths lengths);

/** A 15 x 35 dark thumb with light-grey caps and a drop shadow, centred on the value. */
void drawLinearSliderThumb (juce::Graphics& g, int y, int height, float sliderPos);
} // namespace korvel_slider
