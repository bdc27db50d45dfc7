#include "KorvelCustomLookAndFeel.h"

#include "compat/JuceCompat.h"
#include "resources/EmbeddedResources.h"

namespace
{
// Holds the embedded faces until JUCE shuts down. A plain static would release them after
// the leak detector's counters are gone, which Debug builds report as leaked glyphs. The
// serif face is kept too, since the title bar is painted after every instrument reply.
struct EmbeddedTypefaces : public juce::DeletedAtShutdown
{
    ~EmbeddedTypefaces() override { clearSingletonInstance(); }

    const juce::Typeface::Ptr typeface = juce::Typeface::createSystemTypefaceFor (
        BinaryData::temp_binary_data_0, (size_t) BinaryData::temp_binary_data_0Size);

    const juce::Typeface::Ptr serif = juce::Typeface::createSystemTypefaceFor (
        BinaryData::temp_binary_data_2, (size_t) BinaryData::temp_binary_data_2Size);

    JUCE_DECLARE_SINGLETON (EmbeddedTypefaces, false)
};

JUCE_IMPLEMENT_SINGLETON (EmbeddedTypefaces)
} // namespace

namespace juce
{
KorvelCustomLookAndFeel::~KorvelCustomLookAndFeel() = default;

Typeface::Ptr KorvelCustomLookAndFeel::getCustomFont()
{
    // Created once, under the singleton's lock, on whichever thread asks first.
    if (auto* holder = EmbeddedTypefaces::getInstance())
        return holder->typeface;

    return nullptr;
}

Typeface::Ptr KorvelCustomLookAndFeel::getTypefaceForFont (const Font& font)
{
    if (auto sans = getCustomFont())
        return sans;

    // The base lookup asks the platform, not this look-and-feel, so this cannot recurse.
    return LookAndFeel_V4::getTypefaceForFont (font);
}

void KorvelCustomLookAndFeel::drawDocumentWindowTitleBar (DocumentWindow& window, Graphics& g, int w, int h,
                                                          int titleSpaceX, int titleSpaceW, const Image* icon,
                                                          bool drawTitleTextOnLeft)
{
    if (w == 0 || h == 0)
        return;

    const auto isActive = window.isActiveWindow();

    g.setColour (Colour (0xff6e7465));
    g.fillRect (0, 0, w, h);

    // The name is laid out on this smaller sans-serif font but drawn in the serif title font.
    const Font measuringFont = withDefaultMetrics (FontOptions ((float) h * 0.6f, Font::plain));

    Font titleFont = measuringFont;
    auto* faces = EmbeddedTypefaces::getInstance();

    if (auto serif = faces != nullptr ? faces->serif : Typeface::Ptr())
    {
        titleFont = FontOptions (serif).withMetricsKind (TypefaceMetricsKind::legacy);
        titleFont.setHeight ((float) h * 0.75f);
    }

    g.setFont (titleFont);

    // Decoded once and kept by the image cache.
    const auto logo = ImageCache::getFromMemory (BinaryData::Korvel_png, BinaryData::Korvel_pngSize);

    if (logo.isValid())
    {
        g.drawImage (logo, 50, (h - 30) / 2 + 3, 132, 30, 0, 0, logo.getWidth(), logo.getHeight());
        titleSpaceX += 142;
    }

    auto textW = (int) std::ceil (vn5::stringWidth (measuringFont, window.getName()));
    const auto iconH = icon != nullptr ? (int) measuringFont.getHeight() : 0;
    const auto iconW = icon != nullptr ? icon->getWidth() * iconH / icon->getHeight() + 4 : 0;

    textW = jmin (titleSpaceW, textW + iconW);
    auto textX = drawTitleTextOnLeft ? titleSpaceX : jmax (titleSpaceX, (w - textW) / 2);

    if (textX + textW > titleSpaceX + titleSpaceW)
        textX = titleSpaceX + titleSpaceW - textW;

    if (icon != nullptr)
    {
        g.setOpacity (isActive ? 1.0f : 0.6f);
        g.drawImageWithin (*icon, textX, (h - iconH) / 2, iconW, iconH, RectanglePlacement::centred, false);
        textX += iconW;
        textW -= iconW;
    }

    // The title font is larger than the measuring font, so the measured width alone would cut
    // every title short; let the name use the title space up to its right end.
    const auto nameX = (float) textX + 75.0f;
    const auto nameW = jmax ((float) textW, jmin (vn5::stringWidth (titleFont, window.getName()),
                                                  (float) (titleSpaceX + titleSpaceW) - nameX));

    g.setColour (Colour (0xfffffdfa));
    g.setOpacity (0.7f);
    g.drawText (window.getName(), Rectangle<float> (nameX, 2.0f, nameW, (float) h),
                Justification::centredLeft, true);
}

Button* KorvelCustomLookAndFeel::createDocumentWindowButton (int buttonType)
{
    if (buttonType != DocumentWindow::closeButton)
        return nullptr;

    auto* close = new ShapeButton ("close", Colours::darkred, Colours::darkred, Colours::black);

    Path shape;
    shape.addEllipse (0.0f, 0.0f, 30.0f, 30.0f);
    close->setShape (shape, true, true, false);
    close->setAlpha (0.6f);
    close->setSize (5, 5);
    close->setOutline (Colour (0x33666666), 30.0f);
    return close;
}
} // namespace juce
