#include "CustomSpinner.h"

CustomSpinner::CustomSpinner()
{
    startTimer (16);
}

CustomSpinner::~CustomSpinner()
{
    stopTimer();
}

void CustomSpinner::timerCallback()
{
    ++frameCounter;
    repaint();
}

void CustomSpinner::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    const auto cx = w / 2.0f;
    const auto cy = h / 2.0f;
    const auto r = juce::jmin (w, h) * 0.25f;

    for (int i = 0; i < 12; ++i)
    {
        g.setColour (juce::Colour (0xff808080).withBrightness (1.0f - (float) i / 12.0f));

        const auto a = ((float) frameCounter / 5.0f + (float) i) * juce::MathConstants<float>::twoPi / 12.0f;
        g.drawLine (cx + r * std::cos (a), cy + r * std::sin (a), cx + 1.5f * r * std::cos (a),
                    cy + 1.5f * r * std::sin (a), 2.0f);
    }
}
