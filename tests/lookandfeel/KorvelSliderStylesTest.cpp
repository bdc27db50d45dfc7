#include "RenderHelpers.h"
#include "lookandfeel/KorvelCustomSliders.h"
#include "lookandfeel/KorvelCustomSlidersLong.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour track (0x64505050);
const juce::Colour cap (0xffd3d3d3);

template <typename Look>
struct SliderFixture
{
    Look look;
    juce::Slider slider { juce::Slider::LinearHorizontal, juce::Slider::TextBoxRight };

    SliderFixture()
    {
        slider.setRange (0.0, 10.0, 1.0);
        slider.setSize (360, 42);
        slider.setLookAndFeel (&look);
    }

    ~SliderFixture() { slider.setLookAndFeel (nullptr); }

    juce::Image paintAt (double value)
    {
        slider.setValue (value, juce::dontSendNotification);
        return render::draw (slider.getWidth(), slider.getHeight(),
                             [this] (juce::Graphics& g) { slider.paint (g); });
    }
};
} // namespace

//==============================================================================
TEST (KorvelCustomSliders, FixedLayoutWhateverTheSlider)
{
    juce::KorvelCustomSliders look;
    juce::KorvelCustomSlidersLong longLook;

    for (auto style : { juce::Slider::LinearHorizontal, juce::Slider::LinearVertical, juce::Slider::Rotary })
    {
        juce::Slider slider (style, juce::Slider::NoTextBox);
        slider.setSize (17, 500);

        auto layout = look.getSliderLayout (slider);
        EXPECT_EQ (layout.sliderBounds, juce::Rectangle<int> (10, 0, 130, 42));
        EXPECT_EQ (layout.textBoxBounds, juce::Rectangle<int> (170, 8, 40, 25));

        layout = longLook.getSliderLayout (slider);
        EXPECT_EQ (layout.sliderBounds, juce::Rectangle<int> (15, 0, 255, 42));
        EXPECT_EQ (layout.textBoxBounds, juce::Rectangle<int> (310, 8, 40, 25));
    }

    // The text box of a real slider lands there.
    SliderFixture<juce::KorvelCustomSliders> fixture;
    fixture.slider.resized();
    ASSERT_GT (fixture.slider.getNumChildComponents(), 0);
    EXPECT_EQ (fixture.slider.getChildComponent (0)->getBounds(), juce::Rectangle<int> (170, 8, 40, 25));
}

TEST (KorvelCustomSliders, TrackStripAndThumbAtTheEnds)
{
    SliderFixture<juce::KorvelCustomSliders> fixture;

    // Minimum: thumb spans x 2.5 to 17.5, y 3.5 to 38.5.
    auto image = fixture.paintAt (0.0);
    EXPECT_TRUE (render::pixelNear (image, 75, 2, track));
    EXPECT_TRUE (render::pixelNear (image, 147, 10, track));
    EXPECT_EQ (image.getPixelAt (151, 10).getAlpha(), 0); // the track ends at 150
    EXPECT_TRUE (render::pixelNear (image, 10, 5, cap, 3));
    EXPECT_TRUE (render::pixelNear (image, 10, 36, cap, 3));
    EXPECT_TRUE (render::pixelNear (image, 20, 5, track)); // right of the thumb
    EXPECT_FALSE (render::near (image.getPixelAt (140, 5), cap, 20));

    // The strip (11, 18.9, 128, 4.2): dark and opaque along the middle, the track above it.
    const auto strip = image.getPixelAt (75, 20);
    EXPECT_EQ (strip.getAlpha(), 0xff);
    EXPECT_LT (strip.getBrightness(), 0.25f);
    EXPECT_TRUE (render::pixelNear (image, 75, 17, track));
    EXPECT_TRUE (render::pixelNear (image, 75, 24, track));
    EXPECT_TRUE (render::pixelNear (image, 10, 20, image.getPixelAt (10, 20))); // (under the thumb)
    EXPECT_TRUE (render::pixelNear (image, 140, 20, track)); // beyond the strip's right end (139)

    // Maximum: thumb spans 132.5 to 147.5.
    image = fixture.paintAt (10.0);
    EXPECT_TRUE (render::pixelNear (image, 140, 5, cap, 3));
    EXPECT_FALSE (render::near (image.getPixelAt (10, 5), cap, 20));
}

TEST (KorvelCustomSliders, TransparentTrackColourLeavesOnlyTheStripEdges)
{
    SliderFixture<juce::KorvelCustomSliders> fixture;
    const auto opaqueStrip = fixture.paintAt (10.0).getPixelAt (75, 21);

    fixture.slider.setColour (juce::Slider::trackColourId, juce::Colours::transparentBlack);
    const auto image = fixture.paintAt (10.0);

    EXPECT_TRUE (render::pixelNear (image, 75, 21, track)); // the strip itself is invisible
    EXPECT_NE (image.getPixelAt (75, 21), opaqueStrip);
    EXPECT_FALSE (render::near (image.getPixelAt (75, 19), track, 1)); // light upper edge
    EXPECT_FALSE (render::near (image.getPixelAt (75, 22), track, 1)); // dark lower edge
}

//==============================================================================
TEST (KorvelCustomSlidersLong, LongerTrackAndStrip)
{
    SliderFixture<juce::KorvelCustomSlidersLong> fixture;

    // Track (5, 0, 280, 42), strip (18, 18.9, 256, 4.2), thumb at 15 (min) and 270 (max).
    auto image = fixture.paintAt (10.0);
    EXPECT_EQ (image.getPixelAt (3, 10).getAlpha(), 0);
    EXPECT_TRUE (render::pixelNear (image, 6, 10, track));
    EXPECT_TRUE (render::pixelNear (image, 283, 10, track));
    EXPECT_EQ (image.getPixelAt (287, 10).getAlpha(), 0);
    EXPECT_TRUE (render::pixelNear (image, 16, 20, track));
    EXPECT_LT (image.getPixelAt (19, 20).getBrightness(), 0.25f);
    EXPECT_TRUE (render::pixelNear (image, 270, 5, cap, 3));

    image = fixture.paintAt (0.0);
    EXPECT_TRUE (render::pixelNear (image, 15, 5, cap, 3));
    EXPECT_TRUE (render::pixelNear (image, 15, 36, cap, 3));
}
