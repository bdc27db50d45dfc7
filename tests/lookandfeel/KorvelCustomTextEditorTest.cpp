#include "lookandfeel/KorvelCustomTextEditor.h"
#include "RenderHelpers.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour thumb (0xff555555);
const juce::Colour hoverThumb (0xff64695b);

juce::Image drawBar (bool vertical, int start, int size, bool over, bool down = false)
{
    juce::KorvelCustomTextEditor look;
    juce::ScrollBar bar (vertical);
    return render::draw (vertical ? 12 : 200, vertical ? 200 : 12,
                         [&] (juce::Graphics& g)
                         {
                             look.drawScrollbar (g, bar, 0, 0, vertical ? 12 : 200, vertical ? 200 : 12,
                                                 vertical, start, size, over, down);
                         });
}
} // namespace

TEST (KorvelCustomTextEditor, VerticalThumbInsetByOnePixel)
{
    // Thumb at 40, 100 long: fill (1, 41, 10, 98), corner 4.
    const auto image = drawBar (true, 40, 100, false);
    EXPECT_TRUE (render::pixelNear (image, 6, 90, thumb, 0));
    EXPECT_TRUE (render::pixelNear (image, 1, 90, thumb, 1));
    EXPECT_TRUE (render::pixelNear (image, 10, 90, thumb, 1));
    EXPECT_EQ (image.getPixelAt (0, 90).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (11, 90).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (6, 40).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (6, 139).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (1, 41).getAlpha() < 0xff, true); // rounded corner

    // Nothing outside the thumb: no track, no buttons.
    EXPECT_FALSE (
        render::anyPixel (image, { 0, 0, 12, 40 }, [] (juce::Colour c) { return c.getAlpha() > 0; }));
    EXPECT_FALSE (
        render::anyPixel (image, { 0, 140, 12, 60 }, [] (juce::Colour c) { return c.getAlpha() > 0; }));
}

TEST (KorvelCustomTextEditor, HorizontalThumbAndHover)
{
    const auto image = drawBar (false, 40, 100, true);
    EXPECT_TRUE (render::pixelNear (image, 90, 6, hoverThumb, 0));
    EXPECT_EQ (image.getPixelAt (90, 0).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (40, 6).getAlpha(), 0);

    // Pressing alone changes nothing.
    EXPECT_TRUE (render::pixelNear (drawBar (false, 40, 100, false, true), 90, 6, thumb, 0));
}

TEST (KorvelCustomTextEditor, TinyThumbDrawsNothing)
{
    for (int size : { 0, 1, 2 })
    {
        const auto image = drawBar (true, 40, size, false);
        EXPECT_FALSE (
            render::anyPixel (image, image.getBounds(), [] (juce::Colour c) { return c.getAlpha() > 0; }))
            << size;
    }
}

TEST (KorvelCustomTextEditor, ReachesTheEditorsScrollBars)
{
    juce::KorvelCustomTextEditor look;
    juce::TextEditor editor;
    editor.setMultiLine (true);
    editor.setScrollbarsShown (true);
    editor.setLookAndFeel (&look);
    editor.setSize (270, 100);

    for (int i = 0; i < 50; ++i)
        editor.insertTextAtCaret ("line of activity\n");

    juce::ScrollBar* vertical = nullptr;
    std::function<void (juce::Component&)> find = [&] (juce::Component& c)
    {
        for (auto* child : c.getChildren())
        {
            if (auto* bar = dynamic_cast<juce::ScrollBar*> (child); bar != nullptr && bar->isVertical())
                vertical = bar;
            find (*child);
        }
    };
    find (editor);

    ASSERT_NE (vertical, nullptr);
    EXPECT_TRUE (vertical->isVisible());
    EXPECT_EQ (&vertical->getLookAndFeel(), &look);

    editor.setLookAndFeel (nullptr);
}
