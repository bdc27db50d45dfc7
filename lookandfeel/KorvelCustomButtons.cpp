#include "KorvelCustomButtons.h"

namespace juce
{
void KorvelCustomButtons::fillButtonGradient (Graphics& g, Button& button, Colour c)
{
    // The flags the framework passes are ignored: the button itself says whether it is
    // under the mouse (its own area only) and held down.
    if (button.isMouseOver (false))
        c = c.brighter (0.1f);

    if (button.getState() == Button::buttonDown)
        c = c.darker (0.2f);

    const auto height = (float) button.getHeight();
    g.setGradientFill (ColourGradient (c.brighter (0.2f), 0.0f, 0.0f, c.darker (0.2f), 0.0f, height, false));
    g.fillRoundedRectangle (0.0f, 0.0f, (float) button.getWidth(), height, 6.0f);
}

void KorvelCustomButtons::drawButtonBackground (Graphics& g, Button& button, const Colour& backgroundColour,
                                                bool, bool)
{
    fillButtonGradient (g, button, backgroundColour.darker (0.1f));

    if (!(bool) button.getProperties()["generic"])
        return;

    const auto width = (float) button.getWidth();
    const auto height = (float) button.getHeight();
    const auto cx = width / 2.0f;
    const auto cy = height / 2.0f;
    const auto radius = jmin (width, height) / 2.0f - 4.0f;

    // A power symbol: a ring open at the top, with a bar reaching up into the gap.
    Path ring;
    ring.addCentredArc (cx, cy, radius, radius, 0.0f, 1.85f * MathConstants<float>::pi,
                        0.15f * MathConstants<float>::pi, true);

    g.setColour (Colour (0xff808080));
    g.strokePath (ring, PathStrokeType (2.0f, PathStrokeType::mitered, PathStrokeType::butt));
    g.fillRect (cx - 0.8f, cy - 0.32f * height - 2.0f, 1.6f, 0.32f * height);
}
} // namespace juce
