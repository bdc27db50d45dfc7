#include "support/ContentFixture.h"

using MonitorLines = ContentFixture;

TEST_F (MonitorLines, DescriptionOfEveryKind)
{
    struct Row
    {
        juce::MidiMessage message;
        const char* expected;
    };

    const std::vector<Row> rows {
        { raw ({ 0x90, 60, 100 }), "Note on    Ch.  1    C3    100" },
        { raw ({ 0x9f, 61, 1 }), "Note on    Ch.  16    C#3    1" },
        { raw ({ 0x80, 60, 64 }), "Note off    Ch.  1    C3    64" },
        { raw ({ 0x92, 28, 0 }), "Note off    Ch.  3    E0    0" },
        { raw ({ 0xa0, 100, 55 }), "Poly Pressure    Ch.  1    E6: 55" },
        { raw ({ 0xb0, 123, 0 }), "All notes off" },
        { raw ({ 0xb1, 7, 90 }), "Main volume    Ch.  2   90" },
        { raw ({ 0xb0, 11, 5 }), "Expression    Ch.  1   5" },
        { raw ({ 0xb0, 64, 127 }), "Sustain    Ch.  1   127" },
        { raw ({ 0xb0, 67, 0 }), "Soft Pedal    Ch.  1   0" },
        { raw ({ 0xb0, 120, 0 }), "All sound off" },
        { raw ({ 0xb0, 1, 33 }), "Controller  Modulation Wheel (coarse) Ch.  1   33" },
        { raw ({ 0xb0, 21, 9 }), "Controller  21 Ch.  1   9" },
        { raw ({ 0xc4, 12 }), "Program change    Ch.  5    12" },
        { raw ({ 0xd0, 70 }), "Channel pressure    Ch.  1    70" },
        { raw ({ 0xe0, 0, 64 }), "Pitch wheel    Ch.  1    8192" },
        { raw ({ 0xff }), "Meta event" },
        { raw ({ 0xf0, 0x41, 0x10, 0x7f, 0xf7 }), "Sysex 41 10 7f" },
        { raw ({ 0xf0, 0xf7 }), "Sysex " },
        { raw ({ 0xf8 }), "f8" },
        { raw ({ 0xf2, 0x10, 0x20 }), "f2 10 20" },
    };

    content->monitorFilter.sysex = 1;

    for (auto& row : rows)
        EXPECT_EQ (lineFor (row.message), row.expected)
            << juce::String::toHexString (row.message.getRawData(), row.message.getRawDataSize());
}

TEST_F (MonitorLines, LongSystemExclusiveIsShownWhole)
{
    std::vector<juce::uint8> data (300, 0x11);
    content->monitorFilter.sysex = 1;

    const auto line = lineFor (juce::MidiMessage::createSysExMessage (data.data(), (int) data.size()));
    EXPECT_EQ (line, "Sysex " + juce::String::toHexString (data.data(), (int) data.size()));
}

TEST_F (MonitorLines, GatesByKind)
{
    auto& filter = content->monitorFilter;
    const auto noteOn = raw ({ 0x90, 60, 100 });
    const auto noteOffByVelocity = raw ({ 0x90, 60, 0 });
    const auto pressure = raw ({ 0xa0, 60, 10 });
    const auto sustain = raw ({ 0xb0, 64, 127 });
    const auto controller21 = raw ({ 0xb0, 21, 44 });
    const auto sysex = raw ({ 0xf0, 0x41, 0xf7 });
    const auto programChange = raw ({ 0xc0, 3 });

    filter.noteOn = 0;
    EXPECT_TRUE (linesFor ({ noteOn }).empty());
    EXPECT_EQ (linesFor ({ noteOffByVelocity }).size(), 1u);

    filter.noteOn = 1;
    filter.noteOff = 0;
    EXPECT_TRUE (linesFor ({ noteOffByVelocity, raw ({ 0x80, 60, 0 }) }).empty());
    EXPECT_EQ (linesFor ({ noteOn }).size(), 1u);

    filter.pressure = 0;
    EXPECT_TRUE (linesFor ({ pressure }).empty());

    // Sustain off, controllers on: the pedal gives no line and its value is not taken,
    // while controller 21 is shown and stored.
    content->sustainPedalValue = 5;
    filter.sustain = 0;
    EXPECT_TRUE (linesFor ({ sustain }).empty());
    EXPECT_EQ (content->sustainPedalValue, 5);
    EXPECT_EQ (linesFor ({ controller21 }), (std::vector<juce::String> { "Controller  21 Ch.  1   44" }));
    EXPECT_EQ (content->sustainPedalValue, 44);

    filter.sustain = 1;
    filter.controllers = 0;
    EXPECT_TRUE (linesFor ({ sustain, controller21 }).empty());

    filter.sysex = 0;
    EXPECT_TRUE (linesFor ({ sysex }).empty());
    filter.sysex = 1;
    EXPECT_EQ (linesFor ({ sysex }).size(), 1u);

    // Kinds without a gate
    filter = {};
    filter.noteOn = filter.noteOff = filter.pressure = filter.sysex = filter.sustain = filter.controllers = 0;
    EXPECT_EQ (linesFor ({ programChange, raw ({ 0xe0, 0, 64 }), raw ({ 0xf8 }) }).size(), 3u);
}

TEST_F (MonitorLines, NothingIsShownDuringKeyCalibration)
{
    content->calibrationFlags.active = 1;
    EXPECT_TRUE (linesFor ({ raw ({ 0x90, 60, 0xff }), raw ({ 0xc0, 3 }), raw ({ 0xb0, 21, 9 }) }).empty());
}

TEST_F (MonitorLines, MidiCiIsNeverShown)
{
    content->monitorFilter.sysex = 1;
    EXPECT_TRUE (linesFor ({ raw ({ 0xf0, 0x7e, 0x7f, 0x0d, 0x70, 0x01, 0xf7 }) }).empty());
    EXPECT_EQ (linesFor ({ raw ({ 0xf0, 0x7e, 0x7f, 0x0e, 0xf7 }) }).size(), 1u);
}

TEST_F (MonitorLines, TimeCode)
{
    EXPECT_EQ (MainContentComponent::formatTimeCode (3725.5), "01:02:05.500");
    EXPECT_EQ (MainContentComponent::formatTimeCode (0.0), "00:00:00.000");
    EXPECT_EQ (MainContentComponent::formatTimeCode (90061.25), "01:01:01.250"); // a day and more wraps
    EXPECT_EQ (MainContentComponent::formatTimeCode (-3.0), "00:00:00.000");

    auto message = raw ({ 0x90, 60, 100 });
    message.setTimeStamp (3725.5);
    content->monitorFilter.timeStamp = 1;

    content->clearLines();
    content->addMessageToList (message, "IN ");
    EXPECT_EQ (content->getInLines(),
               (std::vector<juce::String> { "IN 01:02:05.500  -  Note on    Ch.  1    C3    100" }));
    EXPECT_EQ (lineFor (message), "01:02:05.500  -  Note on    Ch.  1    C3    100");
}

TEST_F (MonitorLines, MalformedMessagesGiveAtMostAHexLine)
{
    content->monitorFilter.sysex = 1;

    // JUCE itself cannot build a channel message shorter than its kind without asserting, and
    // its inputs never deliver one; these are the malformed shapes that can arrive.
    const std::vector<juce::MidiMessage> bad {
        raw ({ 0xf0 }), // system exclusive cut after its start
        raw ({ 0xf0, 0x09 }), // instrument frame cut short
        raw ({ 0xf0, 0x09, 0x00 }), // no command, no F7
        raw ({ 0xf0, 0x09, 0x21 }), // packet frame with nothing in it
        raw ({ 0xf0, 0x7e, 0x7f }), // MIDI-CI header cut short
        raw ({ 0x3c, 0x40, 0x12, 0x34 }), // running garbage: data bytes without status
        raw ({ 0x90, 60, 100, 0x12 }), // a note with a stray byte after it
    };

    for (auto& message : bad)
    {
        content->handleIncomingMidiMessage (nullptr, message);
        content->addMessageToList (message, {});
    }

    tick ((int) bad.size() + 1);

    const auto lines = content->getInLines();
    EXPECT_EQ (lines.size(), 2 * bad.size());
}
