#include "support/InstrumentFixture.h"
#include "support/Snapshot.h"

#include "protocol/MidiControllers.h"
#include "protocol/PerformanceFrames.h"

using testhelpers::pumpUntil;
using Bytes = SimulatedInstrument::Bytes;

namespace
{
/** "F0 09 00 2E ... F7|B2 66 40": frames separated by '|'. */
std::vector<Bytes> frames (const juce::String& text)
{
    std::vector<Bytes> result;
    for (auto& frame : juce::StringArray::fromTokens (text, "|", {}))
    {
        auto& bytes = result.emplace_back();
        for (auto& byte : juce::StringArray::fromTokens (frame, false))
            bytes.push_back ((u8) byte.getHexValue32());
    }
    return result;
}

/** The parameter query: seven value queries and three controller report requests. */
std::vector<Bytes> tenQueries()
{
    std::vector<Bytes> result;
    for (int command : { 0x11, 0x15, 0x2C, 0x2D, 0x2E, 0x18, -0xF90E, -0xF90D, 0x1D, -0xF907 })
    {
        const auto m = command > 0
                           ? midi9_message (midi9_query_frame ((u8) command))
                           : ump_tunnel_message (controller_report_request_packet ((std::uint16_t) -command));
        result.emplace_back (m.getRawData(), m.getRawData() + m.getRawDataSize());
    }
    return result;
}

// {widget, value, bytes on the wire, OUT log lines}, in order: each row starts where the one above left.
// A widget marked '!' is changed while the instrument's output is not found.
const char* const rows[][4] {
    { "channel", "16", "F0 09 00 2E 01 0F 0F 0F 0F F7", "" },
    { "channel", "3", "F0 09 00 2E 01 02 02 02 02 F7", "" },
    { "resolution", "3", "B2 66 40", "MIDI Thinning: 14-bit Mode" },
    { "resolution", "2", "B2 66 00", "MIDI Thinning: 7-bit Mode" },
    { "resolution", "1", "", "" },
    { "cc", "2", "B2 68 40", "Local Control: ON" },
    { "cc", "3", "B2 68 00", "Local Control: OFF" },
    { "!resolution", "3", "", "" },
    { "!cc", "2", "", "" },
    { "velocity", "-16", "F0 09 00 11 01 57 57 57 57 F7", "New Velocity Sensitivity: -16" },
    { "velocity", "16", "F0 09 00 11 01 77 77 77 77 F7", "New Velocity Sensitivity: 16" },
    { "gain", "40", "F0 09 00 15 01 28 28 28 28 F7", "New After Pressure Gain: 40" },
    { "pressure", "2", "F0 09 00 15 01 00 00 00 00 F7", "New After Pressure Gain: 0" },
    { "pressure", "1", "F0 09 00 15 01 28 28 28 28 F7", "New After Pressure Gain: 40" },
    { "transpose", "12", "F0 09 00 2D 01 47 47 47 47 F7", "SemiTone Shift: +11|New Middle C Reference B3" },
    { "octave", "5", "F0 09 00 2D 01 5F 5F 5F 5F F7", "Octave Shift: +2|New Middle C Reference B5" },
    { "transpose", "1", "F0 09 00 2D 01 54 54 54 54 F7", "SemiTone Shift: +0|New Middle C Reference C5" },
    { "octave", "1", "F0 09 00 2D 01 24 24 24 24 F7", "Octave Shift: -2|New Middle C Reference C1" },
    { "octave", "3", "F0 09 00 2D 01 3C 3C 3C 3C F7", "Octave Shift: 0|New Middle C Reference C3" },
    { "sustain", "1", "F0 09 00 23 40 01 F7", "Sustain Mode: Sustain On/Off" },
    { "sustain", "2", "F0 09 00 23 40 02 F7", "Sustain Mode: Sustain Smooth" },
    { "split", "60", "F0 09 00 2C 00 3C 3C 3C 3C F7", "Low Zone: C0 to B2|High Zone: C3 to C6" },
    { "split", "27", "F0 09 00 2C 01 00 00 00 00 F7", "Low Zone: C0 to |High Zone: C-2 to C6" },
    { "typed", "F#4", "F0 09 00 2C 00 4E 4E 4E 4E F7", "Low Zone: C0 to F4|High Zone: F#4 to C6" },
    { "typed", "c3", "F0 09 00 2C 01 00 00 00 00 F7", "Low Zone: C0 to |High Zone: C-2 to C6" },
    { "refreshPorts", "", "F0 09 00 1F 00 00 00 00 00 00 F7",
      "Get Board Size|Querying Parameters...|Refresh MIDI Ports|version  1.4.0-15" },
    { "!split", "100", "", "Low Zone: C0 to D#6|High Zone: E6 to C6" },
    { "!unplug", "", "", "Attach valid USB MIDI Device.|Querying Parameters...|Refresh MIDI Ports" },
};

class ControlsTest : public InstrumentFixture
{
protected:
    /** What the instrument received, without MIDI-CI, which runs on its own. */
    std::vector<Bytes> wire()
    {
        auto all = instrument.getReceivedBytes();
        all.erase (
            std::remove_if (all.begin(), all.end(), [] (auto& m) { return m.size() > 1 && m[1] == 0x7e; }),
            all.end());
        return all;
    }

    /** Runs until nothing more reaches the instrument; a ping-pong never gets quiet. */
    void quiet()
    {
        size_t seen = 0;
        for (int round = 0; round < 40; ++round, seen = instrument.getReceived().size())
            if (settle (60); round > 1 && seen == instrument.getReceived().size())
                return;
        FAIL() << "the exchange with the instrument never ends";
    }

    void startAndSettle()
    {
        start();
        content->controls.getParametersFromTarget();
        quiet();
        instrument.clearReceived();
        content->clearLines();
    }
};

TEST_F (ControlsTest, EveryWidgetChangeReachesTheInstrument)
{
    startAndSettle();
    auto& c = content->controls;
    const std::map<juce::String, juce::Component*> widgets {
        { "channel", &c.midiChannelBox },   { "resolution", &c.midiResolutionBox },
        { "cc", &c.ccTransmitBox },         { "transpose", &c.transposeBox },
        { "octave", &c.octaveBox },         { "sustain", &c.sustainModeBox },
        { "pressure", &c.pressureModeBox }, { "velocity", &c.velocitySlider },
        { "gain", &c.pressureGainSlider },  { "split", &c.keySplitSlider }
    };

    for (auto& row : rows)
    {
        const auto widget = juce::String (row[0]).trimCharactersAtStart ("!"), value = juce::String (row[1]);
        SCOPED_TRACE (juce::String (row[0]) + " " + value);
        const auto lines = juce::StringArray::fromTokens (row[3], "|", {});
        auto bytes = frames (row[2]);
        content->instrumentOutputFound = row[0][0] == '!' ? 0 : 1;
        auto* target = widgets.count (widget) != 0 ? widgets.at (widget) : nullptr;

        if (widget == "typed")
            c.keySplitSlider.setValue (c.keySplitSlider.getValueFromText (value));
        else if (auto* box = dynamic_cast<juce::ComboBox*> (target))
            box->setSelectedId (value.getIntValue());
        else if (auto* slider = dynamic_cast<juce::Slider*> (target))
            slider->setValue (value.getDoubleValue());
        else
        {
            if (widget == "unplug")
                instrument.unplug();
            else
                for (auto& query : tenQueries())
                    bytes.push_back (query);
            click ("refreshPorts");
        }

        pumpUntil ([&]
                   { return wire().size() + content->getOutLines().size() >= bytes.size() + lines.size(); });
        settle (30);
        EXPECT_EQ (wire(), bytes);
        EXPECT_EQ (content->getOutLines(), std::vector<juce::String> (lines.begin(), lines.end()));
        instrument.clearReceived();
        content->clearLines();
    }

    EXPECT_EQ (content->totalNotes, 255);
    EXPECT_EQ (content->boardType, 0);

    for (auto [button, view] : { std::pair { "velocityCurve", "Velocity Curve" },
                                 std::pair { "pressureParameters", "After Pressure Parameters" } })
    {
        click (button);
        EXPECT_NE (await<juce::DocumentWindow> (view), nullptr) << button;
        click ("okButton");
        EXPECT_TRUE (gone<juce::DocumentWindow> (view));
    }
}

TEST_F (ControlsTest, ReportsAreSentBackOnceAndTheEchoEndsTheExchange)
{
    for (auto [command, value] : { std::pair<u8, u8> { M9_MIDI_CHANNEL, 2 },
                                   { M9_MIDDLE_C_REFERENCE, 75 },
                                   { M9_AFTER_PRESSURE_GAIN, 40 },
                                   { M9_KEY_SPLIT, 60 } })
        instrument.setSetting (command, value);
    instrument.getControllerResponder().setControllerValue (UMP_NRPN_BASE + NRPN_SUSTAIN_MODE, 1u << 24);
    start();
    quiet();
    instrument.clearReceived();

    content->controls.getParametersFromTarget();
    quiet();

    // The queries, then each moved widget once; transpose and octave both moved.
    auto expected =
        frames ("F0 09 00 15 01 28 28 28 28 F7|F0 09 00 2D 01 4B 4B 4B 4B F7|F0 09 00 2D 01 4B 4B 4B 4B F7|"
                "F0 09 00 2E 01 02 02 02 02 F7|F0 09 00 2C 00 3C 3C 3C 3C F7|F0 09 00 23 40 01 F7");
    auto received = wire(), queries = tenQueries();
    expected.insert (expected.end(), queries.begin(), queries.end());
    std::sort (received.begin(), received.end());
    std::sort (expected.begin(), expected.end());
    EXPECT_EQ (received, expected);

    content->setSize (1140, 378);
    testhelpers::writeSnapshot (*content, "controls-view");
}

TEST_F (ControlsTest, AfterAnEchoIsLostTheNextQueryShowsWhatTheInstrumentHas)
{
    startAndSettle();
    auto& gain = content->controls.pressureGainSlider;
    // The instrument takes 30, but its echo is lost as it goes; 50 is lost whole
    instrument.setReplyDelay (200);
    gain.setValue (30, juce::sendNotificationSync);
    ASSERT_TRUE (pumpUntil ([&] { return instrument.getSetting (M9_AFTER_PRESSURE_GAIN) == 30; }));
    instrument.unplug();
    gain.setValue (50, juce::sendNotificationSync);
    instrument.waitUntilIdle();
    instrument.setReplyDelay (0);
    instrument.plug();
    click ("refreshPorts");
    quiet();
    EXPECT_EQ (gain.getValue(), 30.0);
}

TEST_F (ControlsTest, SplitDialogFollowsPlayedKeys)
{
    startAndSettle();
    auto play = [this] (int note)
    {
        instrument.send (juce::MidiMessage::noteOn (1, note, (juce::uint8) 100));
        return pumpUntil ([&] { return !wire().empty() && wire().back() == key_split_frame (note); });
    };

    // Each echo comes back after the next key went out; an overtaken echo must not move the slider.
    instrument.setReplyDelay (50);
    click ("keySplit");
    EXPECT_TRUE (play (50) && play (55) && play (62));
    click ("OK");
    quiet();
    EXPECT_EQ (wire(),
               (std::vector<Bytes> { key_split_frame (50), key_split_frame (55), key_split_frame (62) }));
    EXPECT_EQ (content->keySplitNote, 62);
    instrument.setReplyDelay (0);

    click ("keySplit");
    click ("Middle C");
    ASSERT_TRUE (pumpUntil ([this] { return content->keySplitNote == 60; }));
    EXPECT_DOUBLE_EQ (content->keySplitIndicator.getValue(), 4.43611);

    // Escape is "Disable", the first button that took it.
    click ("keySplit");
    static_cast<juce::Component*> (find<juce::AlertWindow> ("Set Keyboard Split Note"))
        ->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    ASSERT_TRUE (pumpUntil ([this] { return content->keySplitNote == 0; }));
    EXPECT_EQ (wire().back(), key_split_frame (0));
    EXPECT_EQ (content->keySplitZones.lowerZoneLastNote, 255);
    EXPECT_DOUBLE_EQ (content->keySplitIndicator.getValue(), 10.0);

    // With the dialog closed a played key is only a note.
    const auto sent = wire().size();
    instrument.send (juce::MidiMessage::noteOn (1, 70, (juce::uint8) 100));
    settle();
    EXPECT_EQ (wire().size(), sent);

    click ("keySplit"); // left open: the panel closes it before its looks go
}
} // namespace
