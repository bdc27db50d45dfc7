#pragma once

#include "support/Snapshot.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace render
{
/** A cleared ARGB image with `draw` run on it. */
inline juce::Image draw (int width, int height, const std::function<void (juce::Graphics&)>& draw,
                         juce::Colour background = juce::Colours::transparentBlack)
{
    juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
    juce::Graphics g (image);

    if (!background.isTransparent())
        g.fillAll (background);

    draw (g);
    return image;
}

/** The component painted with its children, as the screen would show it. */
inline juce::Image paint (juce::Component& component,
                          juce::Colour background = juce::Colours::transparentBlack)
{
    return draw (
        component.getWidth(), component.getHeight(),
        [&component] (juce::Graphics& g) { component.paintEntireComponent (g, true); }, background);
}

/** Compares ARGB channels with a tolerance for the renderer's rounding. */
inline ::testing::AssertionResult near (juce::Colour actual, juce::Colour expected, int tolerance = 2)
{
    const auto close = [tolerance] (int a, int b) { return std::abs (a - b) <= tolerance; };

    if (close (actual.getAlpha(), expected.getAlpha()) && close (actual.getRed(), expected.getRed())
        && close (actual.getGreen(), expected.getGreen()) && close (actual.getBlue(), expected.getBlue()))
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure()
           << "pixel " << actual.toDisplayString (true) << ", expected " << expected.toDisplayString (true);
}

inline ::testing::AssertionResult pixelNear (const juce::Image& image, int x, int y, juce::Colour expected,
                                             int tolerance = 2)
{
    return near (image.getPixelAt (x, y), expected, tolerance) << " at (" << x << ", " << y << ")";
}

/** Whether any pixel of the area satisfies the condition. */
inline bool anyPixel (const juce::Image& image, juce::Rectangle<int> area,
                      const std::function<bool (juce::Colour)>& condition)
{
    area = area.getIntersection (image.getBounds());

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (condition (image.getPixelAt (x, y)))
                return true;

    return false;
}

/** Where the rendered pictures go: the shared snapshot directory of the tests. */
inline juce::File outputDirectory()
{
    return testhelpers::snapshotDirectory();
}

inline bool writePng (const juce::Image& image, const juce::String& name)
{
    auto file = outputDirectory().getChildFile (name);
    file.deleteFile();
    juce::FileOutputStream stream (file);
    return stream.openedOk() && juce::PNGImageFormat().writeImageToStream (image, stream);
}
} // namespace render
