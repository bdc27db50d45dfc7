#pragma once

// The code is written against JUCE 8's font API (juce::FontOptions, withDefaultMetrics,
// TypefaceMetricsKind). On JUCE 7 this header supplies those names, mapped onto juce::Font so
// that the text looks the same; on JUCE 8 it adds nothing but stringWidth.
//
// Use: build fonts as `juce::FontOptions (h).withHorizontalScale (0.8f)` and pass them where
// a juce::Font is taken (Graphics::setFont, Label::setFont, AttributedString::append,
// juce::Font (options)). Call withDefaultMetrics unqualified from inside a Component or a
// LookAndFeel: JUCE 8 finds the member, JUCE 7 finds the free function below by argument-
// dependent lookup.

#include <juce_graphics/juce_graphics.h>

#if JUCE_MAJOR_VERSION < 8

namespace juce
{
/** How a typeface's ascent and descent are measured. JUCE 7 has only one way, which is
    JUCE 8's legacy kind, so the kind is recorded but every font is laid out the same. */
enum class TypefaceMetricsKind
{
    legacy,
    portable
};

/** The JUCE 8 font description, turned into a juce::Font where one is needed. */
class FontOptions
{
public:
    FontOptions() : FontOptions (Font::getDefaultSansSerifFontName(), defaultHeight, Font::plain) { }

    explicit FontOptions (float fontHeight)
        : FontOptions (Font::getDefaultSansSerifFontName(), fontHeight, Font::plain)
    {
    }

    FontOptions (float fontHeight, int styleFlags)
        : FontOptions (Font::getDefaultSansSerifFontName(), fontHeight, styleFlags)
    {
    }

    FontOptions (const String& typefaceName, float fontHeight, int styleFlags)
        : FontOptions (typefaceName, styleName (styleFlags), fontHeight)
    {
        underlined = (styleFlags & Font::underlined) != 0;
    }

    FontOptions (const String& typefaceName, const String& typefaceStyle, float fontHeight)
        : name (typefaceName), style (typefaceStyle), height (fontHeight)
    {
    }

    FontOptions (const Typeface::Ptr& face)
        : name (face != nullptr ? face->getName() : Font::getDefaultSansSerifFontName())
        , style (face != nullptr ? face->getStyle() : String ("Regular"))
        , typeface (face)
        , height (defaultHeight)
    {
    }

    [[nodiscard]] FontOptions withName (const String& x) const { return with (&FontOptions::name, x); }
    [[nodiscard]] FontOptions withStyle (const String& x) const { return with (&FontOptions::style, x); }
    [[nodiscard]] FontOptions withTypeface (Typeface::Ptr x) const
    {
        auto copy = *this;
        copy.typeface = x;

        if (x != nullptr)
        {
            copy.name = x->getName();
            copy.style = x->getStyle();
        }

        return copy;
    }
    [[nodiscard]] FontOptions withFallbacks (const StringArray& x) const
    {
        return with (&FontOptions::fallbacks, x);
    }
    [[nodiscard]] FontOptions withFallbackEnabled (bool x = true) const
    {
        return with (&FontOptions::fallbackEnabled, x);
    }
    [[nodiscard]] FontOptions withHeight (float x) const
    {
        auto copy = with (&FontOptions::height, x);
        copy.pointHeight = -1.0f;
        return copy;
    }
    [[nodiscard]] FontOptions withPointHeight (float x) const
    {
        auto copy = with (&FontOptions::pointHeight, x);
        copy.height = -1.0f;
        return copy;
    }
    [[nodiscard]] FontOptions withKerningFactor (float x) const { return with (&FontOptions::kerning, x); }
    [[nodiscard]] FontOptions withHorizontalScale (float x) const
    {
        return with (&FontOptions::horizontalScale, x);
    }
    [[nodiscard]] FontOptions withUnderline (bool x = true) const
    {
        return with (&FontOptions::underlined, x);
    }
    [[nodiscard]] FontOptions withMetricsKind (TypefaceMetricsKind x) const
    {
        return with (&FontOptions::metricsKind, x);
    }

    String getName() const { return name; }
    String getStyle() const { return style; }
    Typeface::Ptr getTypeface() const { return typeface; }
    StringArray getFallbacks() const { return fallbacks; }
    float getHeight() const { return height; }
    float getPointHeight() const { return pointHeight; }
    float getKerningFactor() const { return kerning; }
    float getHorizontalScale() const { return horizontalScale; }
    bool getFallbackEnabled() const { return fallbackEnabled; }
    bool getUnderline() const { return underlined; }
    TypefaceMetricsKind getMetricsKind() const { return metricsKind; }

    /** What JUCE 8's Font (FontOptions) constructor makes of these options. */
    operator Font() const
    {
        Font font = typeface != nullptr ? Font (typeface) : Font (name, style, defaultHeight);

        if (pointHeight > 0.0f)
            font = font.withPointHeight (pointHeight);
        else if (height > 0.0f)
            font.setHeight (height);

        font.setHorizontalScale (horizontalScale);
        font.setExtraKerningFactor (kerning);
        font.setUnderline (underlined);
        return font;
    }

private:
    static constexpr float defaultHeight = 14.0f;

    static String styleName (int flags)
    {
        const auto bold = (flags & Font::bold) != 0;
        const auto italic = (flags & Font::italic) != 0;

        if (bold && italic)
            return "Bold Italic";
        if (bold)
            return "Bold";
        if (italic)
            return "Italic";
        return "Regular";
    }

    template <typename Member, typename Value>
    FontOptions with (Member&& member, Value&& value) const
    {
        auto copy = *this;
        copy.*member = std::forward<Value> (value);
        return copy;
    }

    String name, style;
    Typeface::Ptr typeface;
    StringArray fallbacks;
    float height = -1.0f, pointHeight = -1.0f, kerning = 0.0f, horizontalScale = 1.0f;
    bool fallbackEnabled = true, underlined = false;
    // JUCE 8 gives new options portable metrics; withDefaultMetrics asks for the
    // look-and-feel's kind, which is legacy for the V4 style.
    TypefaceMetricsKind metricsKind = TypefaceMetricsKind::portable;
};

/** JUCE 8's Component::withDefaultMetrics and LookAndFeel::withDefaultMetrics: the V4 style
    asks for legacy metrics, the only kind JUCE 7 has. */
inline FontOptions withDefaultMetrics (FontOptions options)
{
    return options.withMetricsKind (TypefaceMetricsKind::legacy);
}
} // namespace juce

#endif

namespace vn5
{
/** Width of a text in a font, without JUCE 8's deprecation of Font::getStringWidthFloat. */
inline float stringWidth (const juce::Font& font, const juce::String& text)
{
#if JUCE_MAJOR_VERSION < 8
    return font.getStringWidthFloat (text);
#else
    return juce::GlyphArrangement::getStringWidth (font, text);
#endif
}
} // namespace vn5
