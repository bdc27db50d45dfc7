#include "lookandfeel/KorvelCustomLookAndFeel.h"
#include "RenderHelpers.h"
#include "app/JuceBox.h"
#include "compat/JuceCompat.h"
#include "resources/EmbeddedResources.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour barColour (0xff6e7465);

bool differsFromBar (juce::Colour c)
{
    return !render::near (c, barColour, 6);
}

/** Leftmost and rightmost columns holding title pixels inside the area. */
juce::Range<int> inkColumns (const juce::Image& image, juce::Rectangle<int> area)
{
    int first = -1, last = -1;

    for (int x = area.getX(); x < area.getRight(); ++x)
        if (render::anyPixel (image, { x, area.getY(), 1, area.getHeight() }, differsFromBar))
        {
            if (first < 0)
                first = x;
            last = x;
        }

    return { first, last + 1 };
}

struct TitleBarFixture : public ::testing::Test
{
    juce::KorvelCustomLookAndFeel look;
    juce::DocumentWindow window { "VN5 MIDI Control System", juce::Colours::lightgrey,
                                  juce::DocumentWindow::closeButton };

    juce::Image drawBar (int w, int h, int titleSpaceX, int titleSpaceW, const juce::Image* icon, bool onLeft)
    {
        return render::draw (
            1140, 45,
            [&] (juce::Graphics& g)
            { look.drawDocumentWindowTitleBar (window, g, w, h, titleSpaceX, titleSpaceW, icon, onLeft); });
    }
};
} // namespace

//==============================================================================
TEST (KorvelCustomLookAndFeel, EveryRequestedFontResolvesToTheEmbeddedSansFace)
{
    juce::KorvelCustomLookAndFeel look;
    juce::LookAndFeel::setDefaultLookAndFeel (&look);
    juce::Typeface::clearTypefaceCache(); // as its owner does

    const auto sans = juce::KorvelCustomLookAndFeel::getCustomFont();
    ASSERT_NE (sans, nullptr);
    EXPECT_EQ (sans->getName(), "Cantarell");
    EXPECT_EQ (sans, juce::KorvelCustomLookAndFeel::getCustomFont());

    const juce::Font fonts[] = {
        juce::Font (14.0f),
        juce::Font ("Some Serif Family", 20.0f, juce::Font::bold),
        juce::Font (juce::Font::getDefaultSerifFontName(), 12.0f, juce::Font::italic),
        juce::Font (juce::Font::getDefaultMonospacedFontName(), 30.0f, juce::Font::bold | juce::Font::italic),
        juce::FontOptions (16.0f).withHorizontalScale (0.8f),
        withDefaultMetrics (juce::FontOptions ("Another Family", "Light", 9.0f)),
    };

    for (const auto& font : fonts)
        EXPECT_EQ (font.getTypefacePtr(), sans) << font.toString();

    // Widgets drawn by another look-and-feel still get the face through the default one.
    juce::LookAndFeel_V4 widgetLook;
    juce::Label label ({}, "text");
    label.setLookAndFeel (&widgetLook);
    EXPECT_EQ (label.getFont().getTypefacePtr(), sans);
    label.setLookAndFeel (nullptr);

    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();
}

//==============================================================================
TEST_F (TitleBarFixture, ZeroWidthOrHeightDrawsNothing)
{
    const auto sentinel = juce::Colour (0xffff00ff);

    for (auto [w, h] : { std::pair { 0, 45 }, std::pair { 1140, 0 }, std::pair { 0, 0 } })
    {
        const auto image = render::draw (
            1140, 45,
            [&] (juce::Graphics& g)
            { look.drawDocumentWindowTitleBar (window, g, w, h, 6, 1000, nullptr, true); },
            sentinel);

        EXPECT_FALSE (
            render::anyPixel (image, image.getBounds(), [&] (juce::Colour c) { return c != sentinel; }))
            << w << " x " << h;
    }
}

TEST_F (TitleBarFixture, FlatBarLogoAndTitleInTheHeadlineFace)
{
    const auto image = drawBar (1140, 45, 6, 1000, nullptr, true);

    // Flat fill, the logo scaled into (50, 10, 132, 30), nothing between it and the title.
    EXPECT_TRUE (render::pixelNear (image, 10, 5, barColour, 0));
    EXPECT_TRUE (render::pixelNear (image, 1130, 40, barColour, 0));
    EXPECT_FALSE (render::anyPixel (image, { 0, 0, 50, 45 }, differsFromBar));
    EXPECT_FALSE (render::anyPixel (image, { 50, 0, 132, 10 }, differsFromBar));
    EXPECT_FALSE (render::anyPixel (image, { 50, 40, 132, 5 }, differsFromBar));
    EXPECT_TRUE (render::anyPixel (image, { 50, 10, 132, 30 }, differsFromBar));

    // Left aligned: the title starts at title-space x + 142 (logo) + 75.
    const auto ink = inkColumns (image, { 183, 0, 900, 45 });
    EXPECT_NEAR (ink.getStart(), 6 + 142 + 75, 2);

    // Drawn in the serif face at 0.75 of the bar height, whole (no ellipsis).
    auto serif = juce::Typeface::createSystemTypefaceFor (BinaryData::temp_binary_data_2,
                                                          (size_t) BinaryData::temp_binary_data_2Size);
    const juce::Font titleFont = juce::FontOptions (serif).withHeight (33.75f);
    EXPECT_NEAR (ink.getLength(), vn5::stringWidth (titleFont, "VN5 MIDI Control System"), 4.0f);

    // The brightest title pixel is 0xfffffdfa at opacity 0.7 over the bar.
    juce::Colour brightest = barColour;
    for (int y = 0; y < 45; ++y)
        for (int x = ink.getStart(); x < ink.getEnd(); ++x)
            if (image.getPixelAt (x, y).getBrightness() > brightest.getBrightness())
                brightest = image.getPixelAt (x, y);
    EXPECT_TRUE (
        render::near (brightest, barColour.overlaidWith (juce::Colour (0xfffffdfa).withAlpha (0.7f)), 3));
}

TEST_F (TitleBarFixture, CentredTitleFollowsTheMeasuringFontLayout)
{
    const auto image = drawBar (1140, 45, 6, 1000, nullptr, false);

    const juce::Font measuring (27.0f);
    const auto textW = (int) std::ceil (vn5::stringWidth (measuring, "VN5 MIDI Control System"));
    const auto expectedX = juce::jmax (6 + 142, (1140 - textW) / 2) + 75;

    EXPECT_NEAR (inkColumns (image, { 183, 0, 900, 45 }).getStart(), expectedX, 2);
}

TEST_F (TitleBarFixture, InactiveWindowDrawsItsIconAtReducedOpacity)
{
    juce::Image icon (juce::Image::ARGB, 20, 20, false);
    icon.clear (icon.getBounds(), juce::Colours::red);
    ASSERT_FALSE (window.isActiveWindow());

    const auto image = drawBar (1140, 45, 100, 900, &icon, true);

    // Icon 27 high (the measuring font) in a 31-wide box at title-space x after the logo.
    const auto expected = barColour.overlaidWith (juce::Colours::red.withAlpha (0.6f));
    EXPECT_TRUE (render::pixelNear (image, 242 + 15, 22, expected, 3));
    EXPECT_TRUE (render::pixelNear (image, 242 + 15, 10, expected, 3));
    EXPECT_TRUE (render::pixelNear (image, 242 + 15, 7, barColour, 0));
    EXPECT_TRUE (render::pixelNear (image, 242 + 1, 22, barColour, 0));
}

TEST_F (TitleBarFixture, LongNameIsCutAtTheEndOfTheTitleSpace)
{
    window.setName ("A window name far too long to fit into the little space that the title bar leaves");
    const auto image = drawBar (1140, 45, 6, 300, nullptr, true);

    // The text box is the title-space width, 75 pixels right of the layout position.
    const auto ink = inkColumns (image, { 183, 0, 957, 45 });
    EXPECT_NEAR (ink.getStart(), 223, 2);
    EXPECT_LE (ink.getEnd(), 223 + 300 + 1);
    EXPECT_GT (ink.getEnd(), 223 + 300 - 40);
}

//==============================================================================
TEST (KorvelCustomLookAndFeel, WindowAskingForThreeButtonsGetsOnlyTheRoundCloseButton)
{
    juce::KorvelCustomLookAndFeel look;
    EXPECT_EQ (look.createDocumentWindowButton (juce::DocumentWindow::minimiseButton), nullptr);
    EXPECT_EQ (look.createDocumentWindowButton (juce::DocumentWindow::maximiseButton), nullptr);

    juce::DocumentWindow window ("three buttons", juce::Colours::grey, juce::DocumentWindow::allButtons,
                                 false);
    window.setLookAndFeel (&look);

    EXPECT_EQ (window.getMinimiseButton(), nullptr);
    EXPECT_EQ (window.getMaximiseButton(), nullptr);
    auto* close = dynamic_cast<juce::ShapeButton*> (window.getCloseButton());
    ASSERT_NE (close, nullptr);
    EXPECT_EQ (close->getName(), "close");
    EXPECT_FLOAT_EQ (close->getAlpha(), 0.6f);

    // Round: the corners of its bounds stay clear, the centre is dark red.
    close->setBounds (0, 0, 54, 45);
    const auto image = render::paint (*close);
    EXPECT_EQ (image.getPixelAt (1, 1).getAlpha(), 0);
    const auto centre = image.getPixelAt (27, 22);
    EXPECT_GT (centre.getRed(), centre.getGreen() + 40);

    window.setLookAndFeel (nullptr);
}

TEST (KorvelCustomLookAndFeel, MainWindowUsesItAsDefaultForItsLifetime)
{
    const auto frameworkFace = juce::Font (14.0f).getTypefacePtr();
    ASSERT_NE (frameworkFace, juce::KorvelCustomLookAndFeel::getCustomFont());

    {
        VirtualMidiDeviceLayer devices;
        JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);

        EXPECT_NE (dynamic_cast<juce::KorvelCustomLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()),
                   nullptr);
        EXPECT_EQ (window.getTitleBarHeight(), 45);

        // Fonts resolved before it was installed are forgotten.
        const auto sans = juce::KorvelCustomLookAndFeel::getCustomFont();
        EXPECT_EQ (juce::Font (14.0f).getTypefacePtr(), sans);
        EXPECT_EQ (juce::Font (15.0f, juce::Font::bold).getTypefacePtr(), sans);
        EXPECT_EQ (juce::Label ({}, "x").getFont().getTypefacePtr(), sans);

        // So do the captions and logs built with the window, the Monitor View's included.
        std::function<void (juce::Component&)> checkFonts = [&] (juce::Component& c)
        {
            if (auto* label = dynamic_cast<juce::Label*> (&c))
            {
                EXPECT_EQ (label->getFont().getTypefacePtr(), sans) << label->getText();
            }
            if (auto* editor = dynamic_cast<juce::TextEditor*> (&c))
            {
                EXPECT_EQ (editor->getFont().getTypefacePtr(), sans) << editor->getName();
            }
            for (auto* child : c.getChildren())
                checkFonts (*child);
        };
        for (int i = 0; i < juce::Desktop::getInstance().getNumComponents(); ++i)
            checkFonts (*juce::Desktop::getInstance().getComponent (i));
        EXPECT_NE (dynamic_cast<juce::ShapeButton*> (window.getCloseButton()), nullptr);
        EXPECT_EQ (window.getMinimiseButton(), nullptr);

        // The bar as the window paints it: flat, logo at (50, 10).
        const auto image = window.createComponentSnapshot ({ 0, 0, window.getWidth(), 45 });
        EXPECT_TRUE (render::pixelNear (image, 20, 20, barColour, 0));
        EXPECT_TRUE (render::anyPixel (image, { 50, 10, 132, 30 }, differsFromBar));
    }

    EXPECT_EQ (dynamic_cast<juce::KorvelCustomLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()),
               nullptr);
    EXPECT_NE (juce::Font (14.0f).getTypefacePtr(), juce::KorvelCustomLookAndFeel::getCustomFont());
}
