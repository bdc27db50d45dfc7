#include "RenderHelpers.h"
#include "lookandfeel/KorvelCustomAlertWindow.h"
#include "lookandfeel/KorvelKeySplitWindow.h"
#include "lookandfeel/KorvelVersionAlertWindow.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour panelColour (0xff2e3333);
const juce::Colour accentColour (0xffde6a40);

struct AlertStyle
{
    std::function<std::unique_ptr<juce::LookAndFeel_V4>()> make;
    juce::String expectedFirst; // "%t" stands for the alert's title
    juce::String expectedSecond;
    float secondHeight;
};

std::vector<AlertStyle> styles()
{
    return {
        { [] { return std::make_unique<juce::KorvelKeySplitWindow>(); }, "%t\n\n",
          "Press a note on the keyboard then press OK,\nor select another option.", 16.0f },
        { [] { return std::make_unique<juce::KorvelCustomAlertWindow>(); }, "%t\n\n",
          "Are you absolutely sure?", 22.0f },
        { [] { return std::make_unique<juce::KorvelVersionAlertWindow>(); }, "Current Software Version\n\n",
          "v1.3.0 | 26-8-2025", 16.0f },
    };
}

/** The text of a laid-out string, run by run, with each run's colour and font height. */
struct Run
{
    juce::String text;
    juce::Colour colour;
    float height;
};

std::vector<Run> runsOf (const juce::TextLayout& layout, const juce::String& source)
{
    std::vector<Run> runs;

    for (const auto& line : layout)
        for (const auto* run : line.runs)
            runs.push_back ({ source.substring (run->stringRange.getStart(), run->stringRange.getEnd()),
                              run->colour, run->font.getHeight() });

    return runs;
}

juce::Image drawAlert (juce::LookAndFeel& look, juce::AlertWindow& alert, juce::TextLayout& layout)
{
    return render::draw (alert.getWidth() + 10, alert.getHeight() + 10,
                         [&] (juce::Graphics& g) {
                             look.drawAlertBox (g, alert, { 0, 0, 10, 10 }, layout);
                         });
}
} // namespace

TEST (KorvelAlertWindows, EachStyleDrawsItsOwnTwoPartsAndNeverTheMessage)
{
    for (const auto& style : styles())
    {
        auto look = style.make();
        juce::AlertWindow alert ("Set Keyboard Split Note", "a message never drawn",
                                 juce::MessageBoxIconType::WarningIcon);
        alert.setSize (350, 180);

        juce::TextLayout layout;
        drawAlert (*look, alert, layout);

        const auto first = style.expectedFirst.replace ("%t", "Set Keyboard Split Note");
        const auto runs = runsOf (layout, first + style.expectedSecond);
        ASSERT_FALSE (runs.empty());

        juce::String all;
        for (const auto& run : runs)
        {
            all += run.text;
            const auto inFirst = all.length() <= first.length();
            EXPECT_EQ (run.colour, inFirst ? juce::Colours::lightgrey : accentColour) << run.text;
            EXPECT_FLOAT_EQ (run.height, inFirst ? 24.0f : style.secondHeight) << run.text;
        }

        EXPECT_EQ (all.removeCharacters ("\n"), (first + style.expectedSecond).removeCharacters ("\n"));
        EXPECT_FALSE (all.contains ("message"));
    }
}

TEST (KorvelAlertWindows, FrameFillAndTextRectangle)
{
    juce::KorvelCustomAlertWindow look;
    juce::AlertWindow alert ("Factory Restore", "Are You Absolutely Sure?", juce::MessageBoxIconType::NoIcon);
    alert.setSize (350, 180);

    juce::TextLayout layout;
    const auto image = drawAlert (look, alert, layout);

    // Only the outermost pixel of the grey frame shows; inside is the panel colour.
    EXPECT_TRUE (render::pixelNear (image, 0, 90, juce::Colours::darkgrey));
    EXPECT_TRUE (render::pixelNear (image, 175, 0, juce::Colours::darkgrey));
    EXPECT_TRUE (render::pixelNear (image, 349, 90, juce::Colours::darkgrey));
    EXPECT_TRUE (render::pixelNear (image, 1, 90, panelColour));
    EXPECT_TRUE (render::pixelNear (image, 348, 178, panelColour));
    EXPECT_EQ (image.getPixelAt (352, 90).getAlpha(), 0);

    // The text is centred in (1, 10, 348, 98): 180 - 2 - 40 (buttons) - 40.
    EXPECT_EQ (look.getAlertWindowButtonHeight(), 40);
    const auto isText = [] (juce::Colour c) { return !render::near (c, panelColour, 8); };
    EXPECT_FALSE (render::anyPixel (image, { 1, 1, 348, 9 }, isText));
    EXPECT_FALSE (render::anyPixel (image, { 1, 108, 348, 71 }, isText));
    EXPECT_TRUE (render::anyPixel (image, { 1, 10, 348, 98 },
                                   [] (juce::Colour c)
                                   {
                                       return c.getRed() > c.getBlue() + 60; // the orange second part
                                   }));
    EXPECT_TRUE (render::anyPixel (image, { 1, 10, 348, 98 },
                                   [] (juce::Colour c) { return c.getBrightness() > 0.7f; }));
}

TEST (KorvelAlertWindows, EmptyTitleStillPutsTwoEmptyLinesFirst)
{
    juce::KorvelCustomAlertWindow look;
    juce::AlertWindow alert ({}, "--", juce::MessageBoxIconType::NoIcon);
    alert.setSize (350, 180);

    juce::TextLayout layout;
    drawAlert (look, alert, layout);

    ASSERT_EQ (layout.getNumLines(), 3);
    EXPECT_EQ (layout.getLine (2).stringRange,
               juce::Range<int> (2, 2 + juce::String ("Are you absolutely sure?").length()));
}

TEST (KorvelAlertWindows, TinyAlertGetsOnlyItsBorder)
{
    juce::KorvelVersionAlertWindow look;
    juce::AlertWindow alert ("x", "y", juce::MessageBoxIconType::NoIcon);
    alert.setSize (2, 1);

    juce::TextLayout layout;
    const auto image = drawAlert (look, alert, layout);

    const auto corner = image.getPixelAt (0, 0);
    EXPECT_GT (corner.getAlpha(), 0x80);
    EXPECT_TRUE (render::near (corner.withAlpha ((juce::uint8) 0xff), juce::Colours::darkgrey));
    EXPECT_FALSE (render::anyPixel (image, image.getBounds(),
                                    [] (juce::Colour c) { return render::near (c, panelColour, 4); }));
}

TEST (KorvelAlertWindows, FrameworkAlertsGetTheirButtonsWithoutShortcuts)
{
    for (const auto& style : styles())
    {
        auto look = style.make();

        for (int numButtons = 0; numButtons <= 3; ++numButtons)
        {
            std::unique_ptr<juce::AlertWindow> alert (
                look->createAlertWindow ("Title", "Message", "Yes", "No", "Maybe",
                                         juce::MessageBoxIconType::QuestionIcon, numButtons, nullptr));

            ASSERT_NE (alert, nullptr);
            EXPECT_EQ (&alert->getLookAndFeel(), look.get());
            EXPECT_EQ (alert->getTitle(), "Title");
            ASSERT_EQ (alert->getNumButtons(), numButtons);

            juce::Array<juce::Button*> buttons;
            for (auto* child : alert->getChildren())
                if (auto* button = dynamic_cast<juce::Button*> (child))
                    buttons.add (button);
            ASSERT_EQ (buttons.size(), numButtons);

            for (int i = 0; i < numButtons; ++i)
            {
                auto* button = buttons[i];
                EXPECT_EQ (button->getButtonText(), juce::StringArray ({ "Yes", "No", "Maybe" })[i]);
                EXPECT_EQ (button->getCommandID(), i + 1);
                EXPECT_FALSE (button->isRegisteredForShortcut (juce::KeyPress (juce::KeyPress::returnKey)));
                EXPECT_FALSE (button->isRegisteredForShortcut (juce::KeyPress (juce::KeyPress::escapeKey)));
            }

            alert->setLookAndFeel (nullptr);
        }
    }
}
