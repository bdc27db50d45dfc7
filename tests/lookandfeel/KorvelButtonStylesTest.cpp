#include "RenderHelpers.h"
#include "lookandfeel/KorvelCustomButtons.h"
#include "lookandfeel/KorvelCustomRefreshButton.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour grey (0xff808080);

juce::Image drawBackground (juce::LookAndFeel& look, juce::TextButton& button, juce::Colour colour)
{
    return render::draw (button.getWidth(), button.getHeight(),
                         [&] (juce::Graphics& g)
                         {
                             look.drawButtonBackground (g, button, colour, true,
                                                        true); // the flags are not used
                         });
}

/** The gradient at a pixel row's centre, from `top` at y 0 to `bottom` at y `height`. */
juce::Colour gradientAt (juce::Colour top, juce::Colour bottom, int row, int height)
{
    return top.interpolatedWith (bottom, ((float) row + 0.5f) / (float) height);
}
} // namespace

//==============================================================================
TEST (KorvelCustomButtons, GreyButtonGradientAtRestAndPressed)
{
    juce::KorvelCustomButtons look;
    juce::TextButton button;
    button.setSize (100, 30);

    // At rest: c = 0xff747474, from 0xff8b8b8b down to 0xff606060, rounded corners.
    auto image = drawBackground (look, button, grey);
    EXPECT_TRUE (render::pixelNear (
        image, 50, 0, gradientAt (juce::Colour (0xff8b8b8b), juce::Colour (0xff606060), 0, 30)));
    EXPECT_TRUE (render::pixelNear (
        image, 50, 15, gradientAt (juce::Colour (0xff8b8b8b), juce::Colour (0xff606060), 15, 30)));
    EXPECT_TRUE (render::pixelNear (
        image, 50, 29, gradientAt (juce::Colour (0xff8b8b8b), juce::Colour (0xff606060), 29, 30)));
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (99, 29).getAlpha(), 0);

    // Held down: darker by a further 0.2, c = 0xff606060.
    button.setState (juce::Button::buttonDown);
    image = drawBackground (look, button, grey);
    const juce::Colour c (0xff606060);
    EXPECT_TRUE (render::pixelNear (image, 50, 15, gradientAt (c.brighter (0.2f), c.darker (0.2f), 15, 30)));

    // A translucent colour keeps its alpha through the gradient.
    button.setState (juce::Button::buttonNormal);
    image = drawBackground (look, button, grey.withAlpha ((juce::uint8) 0x80));
    EXPECT_NEAR (image.getPixelAt (50, 15).getAlpha(), 0x80, 2);
}

TEST (KorvelCustomButtons, GenericButtonCarriesAPowerSymbol)
{
    juce::KorvelCustomButtons look;
    juce::TextButton button;
    button.setSize (75, 35);
    const auto isSymbol = [] (juce::Colour c) { return render::near (c, grey, 3); };
    const auto background = juce::Colour (0xff202020);

    auto image = drawBackground (look, button, background);
    EXPECT_FALSE (render::anyPixel (image, image.getBounds(), isSymbol));

    button.getProperties().set ("generic", true);
    image = drawBackground (look, button, background);

    // Bar 1.6 wide from y 4.3 to 15.5 at x 36.7; ring of radius 13.5 around (37.5, 17.5).
    EXPECT_TRUE (render::pixelNear (image, 37, 6, grey, 3));
    EXPECT_TRUE (render::pixelNear (image, 37, 14, grey, 3));
    EXPECT_FALSE (isSymbol (image.getPixelAt (37, 17)));
    EXPECT_FALSE (isSymbol (image.getPixelAt (40, 10)));
    EXPECT_TRUE (render::anyPixel (image, { 36, 30, 3, 2 }, isSymbol)); // 6 o'clock
    EXPECT_TRUE (render::anyPixel (image, { 23, 17, 2, 1 }, isSymbol)); // 9 o'clock
    EXPECT_TRUE (render::anyPixel (image, { 50, 17, 2, 1 }, isSymbol)); // 3 o'clock
    EXPECT_FALSE (render::anyPixel (image, { 33, 2, 3, 3 }, isSymbol)); // the gap at the top

    button.getProperties().set ("generic", false);
    image = drawBackground (look, button, background);
    EXPECT_FALSE (render::anyPixel (image, image.getBounds(), isSymbol));
}

//==============================================================================
TEST (KorvelCustomRefreshButton, GradientWithoutFirstDarkeningAndABlackArrow)
{
    juce::KorvelCustomRefreshButton look;
    juce::TextButton button;
    button.setSize (60, 60);
    button.getProperties().set ("generic", true); // not consulted

    const auto image = drawBackground (look, button, grey);
    const auto isBlack = [] (juce::Colour c) { return c.getBrightness() < 0.1f; };

    // Gradient from grey brighter 0.2 to grey darker 0.2 (no first darkening).
    EXPECT_TRUE (
        render::pixelNear (image, 45, 12, gradientAt (grey.brighter (0.2f), grey.darker (0.2f), 12, 60)));

    // Arc of radius 20 around (30, 30) from 45 degrees clockwise through 6 o'clock to 9 o'clock.
    EXPECT_TRUE (render::anyPixel (image, { 29, 49, 2, 2 }, isBlack)); // 6 o'clock
    EXPECT_TRUE (render::anyPixel (image, { 49, 29, 2, 2 }, isBlack)); // 3 o'clock
    EXPECT_TRUE (render::anyPixel (image, { 9, 29, 2, 2 }, isBlack)); // 9 o'clock
    EXPECT_FALSE (render::anyPixel (image, { 14, 14, 3, 3 }, isBlack)); // 10:30, in the gap

    // Arrowhead: (25, 10), (35, 10), (30, 0).
    EXPECT_TRUE (isBlack (image.getPixelAt (30, 7)));
    EXPECT_FALSE (isBlack (image.getPixelAt (30, 13)));
    EXPECT_FALSE (render::anyPixel (image, { 26, 1, 2, 2 }, isBlack));
}

TEST (KorvelCustomRefreshButton, LowButtonDrawsItsArrowheadAboveTheTop)
{
    juce::KorvelCustomRefreshButton look;
    juce::TextButton button;
    button.setSize (60, 30);

    const auto image = drawBackground (look, button, grey);
    EXPECT_FALSE (
        render::anyPixel (image, { 25, 0, 10, 3 }, [] (juce::Colour c) { return c.getBrightness() < 0.1f; }));
}
