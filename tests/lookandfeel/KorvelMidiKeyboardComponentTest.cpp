#include "lookandfeel/KorvelMidiKeyboardComponent.h"
#include "RenderHelpers.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
const juce::Colour lowerZone (0xff664736);
const juce::Colour upperZone (0xff337f33);
const juce::Colour lowerBar (0xffde6a40);
const juce::Colour upperBar (0xff006400);

/** The keyboard with the computer keyboard's key states supplied by the test. */
class TestKeyboard : public KorvelMidiKeyboardComponent
{
public:
    using KorvelMidiKeyboardComponent::KorvelMidiKeyboardComponent;

    std::set<int> keysDown;
    juce::RectangleList<int> paintedAreas;

    void paint (juce::Graphics& g) override
    {
        paintedAreas.add (g.getClipBounds());
        KorvelMidiKeyboardComponent::paint (g);
    }

protected:
    bool isKeyPressDown (const juce::KeyPress& key) const override
    {
        return keysDown.count (key.getKeyCode()) > 0;
    }
};

struct KeyboardFixture : public ::testing::Test
{
    juce::MidiKeyboardState state;
    KeySplitZones zones;
    CalibrationFlags flags;
    std::array<std::atomic<int>, 128> pressures {};
    TestKeyboard keyboard { state, juce::KeyboardComponentBase::horizontalKeyboard };

    KeyboardFixture()
    {
        // As the central component sets it up.
        keyboard.setAvailableRange (28, 100);
        keyboard.setSize (980, 300);
        keyboard.setKeyWidth (22.8f);
        keyboard.keySplitZones = &zones;
        keyboard.calibrationFlags = &flags;
        keyboard.notePressures = &pressures;
        keyboard.setBounds (0, 0, 980, 99);
    }

    void press (int note, float velocity) { state.noteOn (1, note, velocity); }

    void setSplit (int note)
    {
        zones.upperZoneFirstNote = (u8) note;
        zones.lowerZoneLastNote = (u8) (note - 1);
    }

    juce::Point<int> whiteKeySpot (int note, int y = 80) const
    {
        return { (int) keyboard.getRectangleForKey (note).getCentreX(), y };
    }

    juce::Point<int> blackKeySpot (int note, int y = 35) const { return whiteKeySpot (note, y); }

    juce::Colour at (const juce::Image& image, juce::Point<int> p) const
    {
        return image.getPixelAt (p.x, p.y);
    }

    static juce::Colour onWhite (juce::Colour c) { return juce::Colours::white.overlaidWith (c); }
};
} // namespace

//==============================================================================
TEST_F (KeyboardFixture, KeyGeometryMatchesTheWindowLayout)
{
    EXPECT_EQ (keyboard.getRangeStart(), 28);
    EXPECT_EQ (keyboard.getRangeEnd(), 100);
    EXPECT_FLOAT_EQ (keyboard.getRectangleForKey (28).getX(), 0.0f);
    EXPECT_NEAR (keyboard.getRectangleForKey (100).getRight(), 980.4f, 0.01f);
    EXPECT_NEAR (keyboard.getRectangleForKey (29).getWidth(), 22.8f, 0.01f);
    EXPECT_NEAR (keyboard.getRectangleForKey (30).getHeight(), 0.7f * 99.0f, 0.01f);
    EXPECT_FALSE (keyboard.getChildComponent (0)->isVisible());
    EXPECT_FALSE (keyboard.getChildComponent (1)->isVisible());
    EXPECT_TRUE (keyboard.isOpaque());
    EXPECT_TRUE (keyboard.getWantsKeyboardFocus());
}

TEST_F (KeyboardFixture, PressedKeysTakeTheLowerZoneColourAtStartAndWithSplitOff)
{
    press (40, 1.0f); // E1, white
    press (46, 1.0f); // A#1, black
    press (43, 1.0f / 127.0f); // G1 struck at velocity 1: level 10, alpha 20

    auto image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40)), lowerZone));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (46)), lowerZone));
    EXPECT_TRUE (
        render::near (at (image, whiteKeySpot (43)), onWhite (lowerZone.withAlpha ((juce::uint8) 20))));
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (41)), juce::Colours::white, 0));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (42)), juce::Colours::black, 0));

    zones.upperZoneFirstNote = 0;
    zones.lowerZoneLastNote = 255;
    image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40)), lowerZone));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (46)), lowerZone));
}

TEST_F (KeyboardFixture, SplitColoursUpperAndLowerZones)
{
    setSplit (60);
    press (59, 1.0f); // B2: last key of the lower zone
    press (60, 1.0f); // C3: first key of the upper zone
    press (61, 1.0f); // C#3
    press (63, 0.5f); // D#3, black, half level: opaque green with the level's alpha

    const auto image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (59)), lowerZone));
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (60, 70)), upperZone));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (61)), upperZone));

    const auto level = (int) (0.5f * 117.0f + 10.0f);
    const auto alpha = juce::Colours::black.withAlpha ((float) level / 127.0f).getAlpha();
    EXPECT_TRUE (render::near (at (image, blackKeySpot (63)), onWhite (upperZone.withAlpha (alpha))));
}

TEST_F (KeyboardFixture, KeyInNeitherZoneStaysWhiteWithAnInvisibleBar)
{
    zones.upperZoneFirstNote = 60;
    zones.lowerZoneLastNote = 50;
    press (55, 1.0f);
    pressures[55] = 127;

    const auto image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (55)), juce::Colours::white, 0));
}

TEST_F (KeyboardFixture, LevelAbove127IsDrawnAs127)
{
    state.processNextMidiEvent (juce::MidiMessage (0x90, 40, 200));

    const auto image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40)), lowerZone));
}

TEST_F (KeyboardFixture, CalibrationColoursOverrideTheZones)
{
    setSplit (60);
    press (40, 0.2f);
    press (46, 0.2f);
    flags.active = 1;

    // Neither mode: a pressed white key looks unpressed, a pressed black key is white.
    auto image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40)), juce::Colours::white, 0));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (46)), juce::Colours::white, 0));

    flags.restMode = 1;
    image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40)), onWhite (juce::Colour (0x80800080))));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (46)), juce::Colour (0xff6a556a)));

    flags.downMode = 1; // wins over restMode
    image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40)), onWhite (juce::Colour (0x80008000))));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (46)), juce::Colour (0xff556a55)));

    // The black outline stays.
    const auto key = keyboard.getRectangleForKey (46);
    EXPECT_TRUE (render::near (image.getPixelAt ((int) key.getCentreX(), (int) key.getBottom() - 1),
                               juce::Colours::black, 40));
}

TEST_F (KeyboardFixture, PressureBarsRiseFromTheKeyBottom)
{
    setSplit (60);
    press (40, 1.0f);
    press (62, 1.0f);
    press (46, 1.0f);
    pressures[40] = 64; // bar top at 99 - 0.099 - 64 / 127 * 99 = 49.0
    pressures[62] = 127; // whole key less the margins
    pressures[46] = 127;
    pressures[41] = 100; // released key: no bar

    const auto image = render::paint (keyboard);
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40, 47)), lowerZone));
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40, 51)), lowerBar));
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (40, 97)), lowerBar));
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (62, 75)), upperBar));
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (62, 1)), upperBar));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (46, 2)), lowerBar));
    EXPECT_TRUE (render::near (at (image, blackKeySpot (46, 66)), lowerBar));
    EXPECT_TRUE (render::near (at (image, whiteKeySpot (41)), juce::Colours::white, 0));

    // Pressure 0 draws nothing visible.
    pressures[62] = 0;
    EXPECT_TRUE (render::near (at (render::paint (keyboard), whiteKeySpot (62, 75)), upperZone));
}

TEST_F (KeyboardFixture, WhiteCKeysCarryTheirNamesPressedOrNot)
{
    EXPECT_EQ (keyboard.getWhiteNoteText (36), "C1");
    EXPECT_EQ (keyboard.getWhiteNoteText (60), "C3");
    EXPECT_EQ (keyboard.getWhiteNoteText (96), "C6");
    EXPECT_EQ (keyboard.getWhiteNoteText (38), "");
    EXPECT_EQ (keyboard.getWhiteNoteText (61), "");

    press (36, 1.0f);
    const auto image = render::paint (keyboard);
    const auto isInk = [] (juce::Colour c) { return c.getBrightness() < 0.15f; };

    for (int note = 36; note <= 96; note += 12)
    {
        const auto label = keyboard.getRectangleForKey (note).toNearestInt().withTrimmedLeft (2).withTop (82);
        EXPECT_TRUE (render::anyPixel (image, label, isInk)) << note;
    }

    const auto plain =
        keyboard.getRectangleForKey (38).toNearestInt().withTrimmedLeft (2).withTop (82).withTrimmedBottom (
            2);
    EXPECT_FALSE (render::anyPixel (image, plain, isInk));
}

TEST_F (KeyboardFixture, BackgroundHasTopShadowAndBottomLine)
{
    const auto image = render::paint (keyboard);
    const auto x = whiteKeySpot (41).x;

    EXPECT_LT (image.getPixelAt (x, 0).getBrightness(), image.getPixelAt (x, 3).getBrightness());
    EXPECT_TRUE (render::near (image.getPixelAt (x, 10), juce::Colours::white, 0));
    EXPECT_TRUE (render::near (image.getPixelAt (x, 98), onWhite (juce::Colour (0x66000000))));
}

TEST_F (KeyboardFixture, WithoutItsRecordsTheKeyboardDrawsPlainLowerZone)
{
    keyboard.keySplitZones = nullptr;
    keyboard.calibrationFlags = nullptr;
    keyboard.notePressures = nullptr;
    press (40, 1.0f);

    EXPECT_TRUE (render::near (at (render::paint (keyboard), whiteKeySpot (40)), lowerZone));
}

//==============================================================================
TEST_F (KeyboardFixture, MousePlaysNothing)
{
    auto source = juce::Desktop::getInstance().getMainMouseSource();
    const auto position = keyboard.getRectangleForKey (40).getCentre();
    const juce::MouseEvent event (source, position, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &keyboard, &keyboard,
                                  juce::Time::getCurrentTime(), position, juce::Time::getCurrentTime(), 1,
                                  false);

    keyboard.mouseDown (event);
    keyboard.mouseDrag (event);
    EXPECT_FALSE (state.isNoteOnForChannels (0xffff, 40));
    keyboard.mouseUp (event);
    EXPECT_TRUE (keyboard.mouseDownOnKey (40, event));
    EXPECT_FALSE (state.isNoteOnForChannels (0xffff, 40));
}

TEST_F (KeyboardFixture, ComputerKeyboardPlaysMappedNotesOnChannelOne)
{
    EXPECT_TRUE (keyboard.keyPressed (juce::KeyPress ('a', 0, 0)));
    EXPECT_TRUE (keyboard.keyPressed (juce::KeyPress (';', 0, 0)));
    EXPECT_FALSE (keyboard.keyPressed (juce::KeyPress ('z', 0, 0)));
    EXPECT_FALSE (keyboard.keyPressed (juce::KeyPress (0, 0, 0)));

    keyboard.keysDown = { 'a', ';' };
    EXPECT_TRUE (keyboard.keyStateChanged (true));
    EXPECT_TRUE (state.isNoteOn (1, 72));
    EXPECT_TRUE (state.isNoteOn (1, 88));
    EXPECT_FALSE (keyboard.keyStateChanged (true)); // nothing new

    // Drawn opaque: velocity 1.0.
    EXPECT_TRUE (render::near (at (render::paint (keyboard), whiteKeySpot (72)), lowerZone));

    keyboard.keysDown = { ';' };
    EXPECT_TRUE (keyboard.keyStateChanged (false));
    EXPECT_FALSE (state.isNoteOn (1, 72));
    EXPECT_TRUE (state.isNoteOn (1, 88));

    keyboard.focusLost (juce::Component::focusChangedByMouseClick);
    EXPECT_FALSE (state.isNoteOnForChannels (0xffff, 88));

    // After focus loss the held key plays again only when pressed anew.
    keyboard.keysDown = {};
    EXPECT_FALSE (keyboard.keyStateChanged (false));
}

TEST_F (KeyboardFixture, RefreshRepaintsOnlyTheKeysThatChanged)
{
    // Records what the keyboard asks to have repainted.
    struct RepaintRecorder : public juce::CachedComponentImage
    {
        juce::RectangleList<int> areas;
        void paint (juce::Graphics&) override { }
        bool invalidateAll() override
        {
            areas.add ({ 0, 0, 100000, 100000 });
            return true;
        }
        bool invalidate (const juce::Rectangle<int>& area) override
        {
            areas.add (area);
            return true;
        }
        void releaseResources() override { }
    };

    auto* recorder = new RepaintRecorder();
    keyboard.setCachedComponentImage (recorder);
    keyboard.setVisible (true);
    testhelpers::pumpMessages (120);
    recorder->areas.clear();

    // Nothing happened: the refresh touches nothing.
    testhelpers::pumpMessages (120);
    EXPECT_TRUE (recorder->areas.isEmpty());

    press (40, 1.0f);
    press (46, 0.5f);
    EXPECT_TRUE (testhelpers::pumpUntil ([recorder] { return !recorder->areas.isEmpty(); }, 2000));
    testhelpers::pumpMessages (120);

    juce::RectangleList<int> expected;
    expected.add (keyboard.getRectangleForKey (40).getSmallestIntegerContainer());
    expected.add (keyboard.getRectangleForKey (46).getSmallestIntegerContainer());
    EXPECT_EQ (recorder->areas.getBounds(), expected.getBounds());
    EXPECT_EQ (recorder->areas.getNumRectangles(), 2);

    // A second note-on of a key already drawn down repaints nothing.
    recorder->areas.clear();
    press (40, 0.2f);
    testhelpers::pumpMessages (150);
    EXPECT_TRUE (recorder->areas.isEmpty());

    // A key outside the range repaints nothing.
    keyboard.repaintNote (27);
    keyboard.repaintNote (101);
    EXPECT_TRUE (recorder->areas.isEmpty());

    keyboard.setCachedComponentImage (nullptr);
}
