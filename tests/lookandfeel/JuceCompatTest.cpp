#include "compat/JuceCompat.h"

#include "resources/EmbeddedResources.h"
#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

namespace
{
// Calls withDefaultMetrics the way the panels do: unqualified, from a component member.
struct LabelledPanel : public juce::Component
{
    juce::Font captionFont (float height) const { return withDefaultMetrics (juce::FontOptions (height)); }
};
} // namespace

TEST (JuceCompat, FontOptionsBecomeTheSameFontAsTheOldConstructors)
{
    const juce::Font plain = juce::FontOptions (16.0f);
    EXPECT_EQ (plain, juce::Font (16.0f));
    EXPECT_EQ (plain.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());

    const juce::Font boldItalic = juce::FontOptions (20.0f, juce::Font::bold | juce::Font::italic);
    EXPECT_TRUE (boldItalic.isBold());
    EXPECT_TRUE (boldItalic.isItalic());
    EXPECT_EQ (boldItalic, juce::Font (20.0f, juce::Font::bold | juce::Font::italic));

    const juce::Font styled =
        juce::FontOptions().withName ("Serif Face").withStyle ("Bold").withHeight (11.0f);
    EXPECT_EQ (styled.getTypefaceName(), "Serif Face");
    EXPECT_EQ (styled.getTypefaceStyle(), "Bold");
    EXPECT_FLOAT_EQ (styled.getHeight(), 11.0f);

    const juce::Font scaled =
        juce::FontOptions (12.0f).withHorizontalScale (0.8f).withKerningFactor (0.1f).withUnderline();
    EXPECT_FLOAT_EQ (scaled.getHorizontalScale(), 0.8f);
    EXPECT_FLOAT_EQ (scaled.getExtraKerningFactor(), 0.1f);
    EXPECT_TRUE (scaled.isUnderlined());

    EXPECT_FLOAT_EQ (juce::Font (juce::FontOptions().withPointHeight (12.0f)).getHeightInPoints(), 12.0f);
    EXPECT_FLOAT_EQ (juce::Font (juce::FontOptions()).getHeight(), 14.0f);
}

TEST (JuceCompat, TypefaceOptionsKeepTheTypefaceAtAnyHeight)
{
    auto face = juce::Typeface::createSystemTypefaceFor (BinaryData::temp_binary_data_2,
                                                         (size_t) BinaryData::temp_binary_data_2Size);
    ASSERT_NE (face, nullptr);

    const juce::Font font = juce::FontOptions (face).withHeight (33.75f);
    EXPECT_EQ (font.getTypefacePtr(), face);
    EXPECT_FLOAT_EQ (font.getHeight(), 33.75f);

    const juce::Font later = juce::FontOptions (10.0f).withTypeface (face);
    EXPECT_EQ (later.getTypefacePtr(), face);
    EXPECT_FLOAT_EQ (later.getHeight(), 10.0f);
}

TEST (JuceCompat, DefaultMetricsAreLegacyAndFoundFromAComponent)
{
    EXPECT_EQ (juce::FontOptions().getMetricsKind(), juce::TypefaceMetricsKind::portable);
    EXPECT_EQ (withDefaultMetrics (juce::FontOptions (9.0f)).getMetricsKind(),
               juce::TypefaceMetricsKind::legacy);

    LabelledPanel panel;
    EXPECT_EQ (panel.captionFont (16.0f), juce::Font (16.0f));
    EXPECT_FLOAT_EQ (vn5::stringWidth (juce::Font (16.0f), "abc"),
                     juce::Font (16.0f).getStringWidthFloat ("abc"));
}
