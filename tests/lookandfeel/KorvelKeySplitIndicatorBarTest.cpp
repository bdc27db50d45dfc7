#include "lookandfeel/KorvelKeySplitIndicatorBar.h"
#include "RenderHelpers.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour green (0x64337f33);
const juce::Colour redOverGreen = green.overlaidWith (juce::Colour (0x64c83333));

struct IndicatorFixture : public ::testing::Test
{
    juce::KorvelKeySplitIndicatorBar look;
    juce::Slider bar;

    IndicatorFixture()
    {
        // As the central component sets up its split indicator.
        bar.setValue (10.0, juce::dontSendNotification);
        bar.setSliderStyle (juce::Slider::LinearBar);
        bar.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
        bar.setBounds (148, 255, 980, 10);
        bar.setLookAndFeel (&look);
        bar.setEnabled (false);
    }

    ~IndicatorFixture() override { bar.setLookAndFeel (nullptr); }

    juce::Image paintAt (double value)
    {
        bar.setValue (value, juce::dontSendNotification);
        return render::paint (bar);
    }
};
} // namespace

TEST_F (IndicatorFixture, RedUpToTheSplitPositionGreenBeyond)
{
    // Value 5: the red part is 490 wide from x 1 (slider position 1 + 5 / 10 * 978).
    const auto image = paintAt (5.0);
    EXPECT_TRUE (render::pixelNear (image, 1, 5, redOverGreen));
    EXPECT_TRUE (render::pixelNear (image, 490, 1, redOverGreen));
    EXPECT_TRUE (render::pixelNear (image, 491, 8, green));
    EXPECT_TRUE (render::pixelNear (image, 978, 5, green));

    // The 1-pixel border is the slider's own outline for a bar without text box.
    const auto outline = bar.findColour (juce::Slider::textBoxOutlineColourId);
    EXPECT_TRUE (render::pixelNear (image, 300, 0, outline, 0));
    EXPECT_TRUE (render::pixelNear (image, 700, 9, outline, 0));
    EXPECT_TRUE (render::pixelNear (image, 0, 5, outline, 0));
}

TEST_F (IndicatorFixture, SplitOffCoversTheWholeBarInRed)
{
    const auto image = paintAt (10.0);
    EXPECT_TRUE (render::pixelNear (image, 1, 5, redOverGreen));
    EXPECT_TRUE (render::pixelNear (image, 978, 5, redOverGreen));
}

TEST_F (IndicatorFixture, SplitAtTheLowestKeyLeavesARedSliver)
{
    const auto image = paintAt (0.0);
    EXPECT_TRUE (render::pixelNear (image, 1, 5, redOverGreen));
    EXPECT_TRUE (render::pixelNear (image, 2, 5, green));
    EXPECT_TRUE (render::pixelNear (image, 978, 5, green));
}
