#include "KorvelCustomRefreshButton.h"

#include "KorvelCustomButtons.h"

namespace juce
{
void KorvelCustomRefreshButton::drawButtonBackground (Graphics& g, Button& button,
                                                      const Colour& backgroundColour, bool, bool)
{
    KorvelCustomButtons::fillButtonGradient (g, button, backgroundColour);

    const auto width = (float) button.getWidth();
    const auto height = (float) button.getHeight();
    const auto cx = width / 2.0f;
    const auto cy = height / 2.0f;

    Path arc;
    arc.addCentredArc (cx, cy, width / 3.0f, height / 3.0f, 0.0f, 0.25f * MathConstants<float>::pi,
                       1.5f * MathConstants<float>::pi, true);

    g.setColour (Colour (0xff000000));
    g.strokePath (arc, PathStrokeType (2.0f, PathStrokeType::mitered, PathStrokeType::butt));

    Path arrowHead;
    arrowHead.addTriangle (cx - 5.0f, height / 3.0f - 10.0f, cx + 5.0f, height / 3.0f - 10.0f, cx,
                           height / 3.0f - 20.0f);
    g.fillPath (arrowHead);
}
} // namespace juce
