// Draws the program's logo: its name set in the serif headline face on a transparent
// 1018 x 231 canvas, with an accent rule under it. Usage: vn5_make_logo <font.ttf> <out.png>
#include <juce_events/juce_events.h>
#include <juce_graphics/juce_graphics.h>

#include <iostream>

static int drawLogo (int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "usage: vn5_make_logo <headline-font.ttf> <logo.png>\n";
        return 2;
    }

    juce::MemoryBlock fontData;

    if (!juce::File::getCurrentWorkingDirectory()
             .getChildFile (juce::String (argv[1]))
             .loadFileAsData (fontData)
        || fontData.isEmpty())
    {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }

    auto face = juce::Typeface::createSystemTypefaceFor (fontData.getData(), fontData.getSize());

    if (face == nullptr)
    {
        std::cerr << "not a font: " << argv[1] << "\n";
        return 1;
    }

    constexpr int width = 1018, height = 231;
    juce::Image logo (juce::Image::ARGB, width, height, true);

    {
        juce::Graphics g (logo);

        // The name as outlines, scaled to fill the canvas above the rule.
        juce::GlyphArrangement glyphs;
        glyphs.addLineOfText (juce::Font (face).withHeight (200.0f), "KORVEL", 0.0f, 0.0f);
        juce::Path name;
        glyphs.createPath (name);

        const juce::Rectangle<float> textArea (8.0f, 6.0f, (float) width - 16.0f, 180.0f);
        name.applyTransform (name.getTransformToScaleToFit (textArea, true, juce::Justification::centred));

        g.setColour (juce::Colour (0xfffffdfa));
        g.fillPath (name);

        const auto nameBounds = name.getBounds();
        g.setColour (juce::Colour (0xffde6a40));
        g.fillRoundedRectangle (nameBounds.getX(), 204.0f, nameBounds.getWidth(), 14.0f, 7.0f);
    }

    const auto out = juce::File::getCurrentWorkingDirectory().getChildFile (juce::String (argv[2]));
    out.deleteFile();
    juce::FileOutputStream stream (out);

    if (!stream.openedOk() || !juce::PNGImageFormat().writeImageToStream (logo, stream))
    {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }

    return 0;
}

int main (int argc, char** argv)
{
    const auto result = drawLogo (argc, argv);
    // The font engine keeps its library in a singleton that JUCE expects to be freed.
    juce::DeletedAtShutdown::deleteAll();
    return result;
}
