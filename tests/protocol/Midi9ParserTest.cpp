#include "protocol/Midi9Parser.h"

#include "protocol/PedalInfo.h"
#include "support/FakeInstrumentHost.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using Moves = std::vector<std::pair<juce::String, int>>;

std::vector<juce::String> lines (const FakeInstrumentHost& host)
{
    return { host.inLog.begin(), host.inLog.end() };
}

/** Hands a whole frame (F0 to F7) to the parser as the routing does: the bytes after F0. */
void parseFrame (const std::vector<u8>& frame)
{
    parse_midi9_sysex (frame.data() + 1, (int) frame.size() - 1);
}

class Midi9Parser : public ::testing::Test
{
protected:
    void SetUp() override
    {
        midi9ParserState = {};
        PedInfo = {};
    }

    FakeInstrumentHost host;
};

//==============================================================================
struct ReplyCase
{
    const char* name;
    std::vector<u8> frame;
    std::vector<juce::String> lines;
    Moves moves;
    std::function<void (const InstrumentHost&)> check = {};
};

class Midi9ParserReplies : public Midi9Parser, public ::testing::WithParamInterface<ReplyCase>
{
};

TEST_P (Midi9ParserReplies, LogAndMoveWidgets)
{
    const auto& c = GetParam();
    parseFrame (c.frame);

    EXPECT_EQ (lines (host), c.lines) << c.name;
    EXPECT_EQ (host.widgetMoves, c.moves) << c.name;
    EXPECT_TRUE (host.outLog.isEmpty()) << c.name;
    EXPECT_TRUE (host.output->sent.empty()) << c.name;

    if (c.check)
        c.check (host);
}

std::vector<u8> reply (u8 command, u8 value)
{
    return { 0xF0, 0x09, 0x00, command, 0x01, value, value, value, value, 0xF7 };
}

INSTANTIATE_TEST_SUITE_P (
    EveryRow, Midi9ParserReplies,
    ::testing::Values (
        ReplyCase { "velocity mode", reply (0x00, 0), { "midi out to velocity mode" }, {} },
        ReplyCase { "raw position mode", reply (0x01, 0), { "midi out to raw position mode" }, {} },
        ReplyCase { "scaled position mode", reply (0x02, 0), { "midi out to scaled position mode" }, {} },
        ReplyCase { "mute mode", reply (0x09, 0), { "midi out to mute mode" }, {} },
        ReplyCase { "key adjust", { 0xF0, 0x09, 0x00, 0x0A, 0xF7 }, { "Key adjust start" }, {} },
        ReplyCase { "parameter reset", reply (0x0B, 0), { "Parameter Reset" }, {} },
        ReplyCase { "factory restore", { 0xF0, 0x09, 0x00, 0x52, 0xF7 }, { "Parameter Reset" }, {} },
        ReplyCase { "deep chill", reply (0x0C, 0), { "Target to deep chill mode" }, {} },
        ReplyCase { "velocity intercept", reply (0x12, 3), { "new velocity intercept" }, {} },
        ReplyCase { "velocity 100 is -3, pressure controls untouched",
                    reply (0x11, 100),
                    { "Velocity:  -3" },
                    { { "velocitySlider", -3 } },
                    [] (const InstrumentHost& h) { EXPECT_EQ (h.velocitySensitivity, -3); } },
        ReplyCase {
            "velocity 119 is +16", reply (0x11, 119), { "Velocity:  16" }, { { "velocitySlider", 16 } } },
        ReplyCase { "linear velocity gain", reply (0x13, 5), { "Linear Velocity Gain:  05" }, {} },
        ReplyCase { "release position in hex",
                    reply (0x14, 0x3A),
                    { "Release Position:  3a" },
                    { { "hiddenSlider7", 58 } } },
        ReplyCase { "after-pressure gain",
                    reply (0x15, 40),
                    { "AfterTouch Gain:  40" },
                    { { "pressureGainSlider", 40 } },
                    [] (const InstrumentHost& h) { EXPECT_EQ (h.afterPressureGain, 40); } },
        ReplyCase { "param 16", reply (0x16, 9), {}, { { "hiddenSlider6", 9 } } },
        ReplyCase { "window size", reply (0x17, 7), { "Window Size:  07" }, {} },
        ReplyCase { "pressure resolution", reply (0x18, 12), { "After Pressure Resolution:  12" }, {} },
        ReplyCase { "param 1B less 47", reply (0x1B, 50), {}, { { "hiddenSlider4", 3 } } },
        ReplyCase { "minimum velocity", reply (0x1C, 4), { "Minimum Velocity:  04" }, {} },
        ReplyCase { "velocity curve",
                    reply (0x1D, 8),
                    { "ExpoVelShape:  08" },
                    {},
                    [] (const InstrumentHost& h) { EXPECT_EQ (h.velocityCurve, 8); } },
        ReplyCase { "serial number", reply (0x21, 42), { "serial number  42" }, {} },
        ReplyCase { "param 24", reply (0x24, 11), {}, { { "hiddenSlider5", 11 } } },
        ReplyCase { "key split", reply (0x2C, 60), { "Key Split Note: 60" }, { { "keySplitSlider", 60 } } },
        ReplyCase { "channel 3", reply (0x2E, 2), { "Midi Channel: 03" }, { { "midiChannelBox", 3 } } },
        ReplyCase { "channel 16", reply (0x2E, 15), { "Midi Channel: 16" }, { { "midiChannelBox", 16 } } },
        ReplyCase {
            "channel outside the list leaves it alone", reply (0x2E, 20), { "Midi Channel: 21" }, {} },
        ReplyCase { "sustain", reply (0x40, 5), { "Sustain: 05" }, {} },

        // Middle-C reference: transpose id, then octave id
        ReplyCase { "middle C 60",
                    reply (0x2D, 60),
                    { "Transpose: 60" },
                    { { "transposeBox", 1 }, { "octaveBox", 3 } } },
        ReplyCase { "middle C 47 is +11 two octaves down",
                    reply (0x2D, 47),
                    { "Transpose: 47" },
                    { { "transposeBox", 12 }, { "octaveBox", 1 } } },
        ReplyCase { "middle C 59 is d = -1",
                    reply (0x2D, 59),
                    { "Transpose: 59" },
                    { { "transposeBox", 12 }, { "octaveBox", 2 } } },
        ReplyCase { "middle C 36",
                    reply (0x2D, 36),
                    { "Transpose: 36" },
                    { { "transposeBox", 1 }, { "octaveBox", 1 } } },
        ReplyCase { "middle C 95",
                    reply (0x2D, 95),
                    { "Transpose: 95" },
                    { { "transposeBox", 12 }, { "octaveBox", 5 } } },
        ReplyCase { "middle C below 36 is 60",
                    reply (0x2D, 20),
                    { "Transpose: 20" },
                    { { "transposeBox", 1 }, { "octaveBox", 3 } } },
        ReplyCase {
            "middle C above the octave list leaves both lists", reply (0x2D, 110), { "Transpose: 110" }, {} },

        // Dropped: wrong kind, unlisted command, and every row read past what arrived
        ReplyCase { "frame kind 21", { 0xF0, 0x09, 0x21, 0x11, 0x01, 100, 0xF7 }, {}, {} },
        ReplyCase { "unlisted command", reply (0x05, 1), {}, {} },
        ReplyCase { "no value byte", { 0xF0, 0x09, 0x00, 0x15, 0x01, 0xF7 }, {}, {} },
        ReplyCase { "no flag byte", { 0xF0, 0x09, 0x00, 0x2E, 0xF7 }, {}, {} },
        ReplyCase { "only the command", { 0xF0, 0x09, 0x00, 0xF7 }, {}, {} },
        ReplyCase { "board size without its type", { 0xF0, 0x09, 0x00, 0x1F, 0x00, 73, 0x00, 0xF7 }, {}, {} },
        ReplyCase { "pedal without a value", { 0xF0, 0x09, 0x00, 0x23, 0x12, 0xF7 }, {}, {} },
        ReplyCase { "pedal without a pair", { 0xF0, 0x09, 0x00, 0x23, 0xF7 }, {}, {} },
        ReplyCase { "text line without F7", { 0xF0, 0x09, 0x00, 0x29 }, {}, {} }),
    [] (const auto& info)
    {
        return juce::String (info.param.name)
            .retainCharacters ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")
            .toStdString();
    });

TEST_F (Midi9Parser, ValueIsNeverReadFromBytesLeftOverFromAnEarlierMessage)
{
    // The buffer still holds a longer frame; only the first five bytes were received.
    const u8 buffer[] = { 0x09, 0x00, 0x15, 0x01, 0xF7, 0x50, 0x50, 0x50, 0xF7 };
    parse_midi9_sysex (buffer, 5);

    EXPECT_TRUE (host.inLog.isEmpty());
    EXPECT_TRUE (host.widgetMoves.empty());
}

//==============================================================================
struct BoardCase
{
    const char* name;
    std::vector<u8> frame;
    std::vector<juce::String> lines;
    std::array<u8, 4> sizes;
    int totalNotes, boardCount, boardType, lowestNote;
};

class Midi9ParserBoardSizes : public Midi9Parser, public ::testing::WithParamInterface<BoardCase>
{
};

TEST_P (Midi9ParserBoardSizes, FillTheBoardFields)
{
    const auto& c = GetParam();
    parseFrame (c.frame);

    EXPECT_EQ (lines (host), c.lines) << c.name;
    EXPECT_EQ (host.boardSizes, c.sizes) << c.name;
    EXPECT_EQ (host.totalNotes, c.totalNotes) << c.name;
    EXPECT_EQ (host.boardCount, c.boardCount) << c.name;
    EXPECT_EQ (host.boardType, c.boardType) << c.name;
    EXPECT_EQ (host.lowestNote, c.lowestNote) << c.name;
}

std::vector<u8> boardSizes (u8 s1, u8 s2, u8 s3, u8 s4, u8 type)
{
    return { 0xF0, 0x09, 0x00, 0x1F, 0x00, s1, s2, s3, s4, type, 0xF7 };
}

INSTANTIATE_TEST_SUITE_P (
    Reports, Midi9ParserBoardSizes,
    ::testing::Values (
        BoardCase { "one board of 73",
                    boardSizes (73, 0, 0, 0, 0),
                    { "BoardSize report 73 0 0 0", "73 Notes: 1 Board sized:73" },
                    { 73, 0, 0, 0 },
                    73,
                    1,
                    1,
                    28 },
        BoardCase { "no boards",
                    boardSizes (0, 0, 0, 0, 0),
                    { "BoardSize report 0 0 0 0", "0 Notes -> 0 Boards sized:0 0 0 0" },
                    { 0, 0, 0, 0 },
                    0,
                    0,
                    1,
                    97 },
        BoardCase { "two boards, type 3, board 4 first",
                    boardSizes (30, 43, 0, 0, 3),
                    { "BoardSize report 30 43 0 0", "73 Notes -> 2 Boards sized:0 0 43 30" },
                    { 30, 43, 0, 0 },
                    73,
                    2,
                    3,
                    28 },
        BoardCase { "one board that is not board 1 still names s1",
                    boardSizes (0, 61, 0, 0, 4),
                    { "BoardSize report 0 61 0 0", "61 Notes: 1 Board sized:0" },
                    { 0, 61, 0, 0 },
                    61,
                    1,
                    4,
                    36 },
        BoardCase { "88 keys",
                    boardSizes (22, 22, 22, 22, 2),
                    { "BoardSize report 22 22 22 22", "88 Notes -> 4 Boards sized:22 22 22 22" },
                    { 22, 22, 22, 22 },
                    88,
                    4,
                    1,
                    21 },
        BoardCase { "sum kept in one byte",
                    boardSizes (127, 127, 127, 0, 0),
                    { "BoardSize report 127 127 127 0", "125 Notes -> 3 Boards sized:0 127 127 127" },
                    { 127, 127, 127, 0 },
                    125,
                    3,
                    1,
                    97 },
        BoardCase { "report without the flag byte",
                    { 0xF0, 0x09, 0x00, 0x1F, 24, 24, 24, 0, 4, 0xF7 },
                    { "BoardSize report 24 24 24 0", "72 Notes -> 3 Boards sized:0 24 24 24" },
                    { 24, 24, 24, 0 },
                    72,
                    3,
                    4,
                    29 }));

//==============================================================================
std::vector<u8> textFrame (const std::string& text)
{
    const auto bytes = std::string ("\xF0\x09\x00\x29", 4) + text + "\xF7";
    return { bytes.begin(), bytes.end() };
}

TEST_F (Midi9Parser, VersionLinesFillTheSlotsInTurnAndAreLoggedUnchanged)
{
    const std::string line = "P:0 v:2.1 size:20480 blk Jan 02 2025 rest";

    for (int n = 0; n < 5; ++n)
        parseFrame (textFrame (line));

    EXPECT_EQ (host.firmwareVersions[0], "v2.1_02Jan2025");
    EXPECT_EQ (host.firmwareVersions[3], "v2.1_02Jan2025");
    EXPECT_EQ (midi9ParserState.versionSlot, 1); // the fifth line went into slot 0 again
    EXPECT_EQ (host.inLog.size(), 5);
    EXPECT_EQ (host.inLog[0], juce::String (line));
}

TEST_F (Midi9Parser, TextIsLoggedAsDataNeverAsAFormat)
{
    parseFrame (textFrame ("%s%n%d %x"));
    parseFrame (textFrame ("a\x01z"));

    EXPECT_EQ (host.inLog, juce::StringArray ({ "%s%n%d %x", "a\x01z" }));
}

TEST_F (Midi9Parser, ProgressDotsReportPhasesAndWrapAfter93)
{
    for (int dot = 1; dot <= 95; ++dot)
        parseFrame (textFrame ("."));

    std::vector<int> phases;
    for (auto& [name, phase] : host.widgetMoves)
        if (name == "updateProgressBars")
            phases.push_back (phase);

    ASSERT_EQ (phases.size(), 95u);
    EXPECT_EQ (phases[0], 2);
    EXPECT_EQ (phases[30], 2); // dot 31
    EXPECT_EQ (phases[31], 3); // dot 32
    EXPECT_EQ (phases[60], 3); // dot 61
    EXPECT_EQ (phases[61], 4); // dot 62
    EXPECT_EQ (phases[92], 4); // dot 93
    EXPECT_EQ (phases[93], 2); // dot 94
    EXPECT_EQ (phases[94], 2); // dot 95
    EXPECT_EQ (host.progressValues.front(), 1.0f);
    EXPECT_EQ (host.inLog.size(), 95);
}

TEST (ParseAndFormat, ShortVersionString)
{
    EXPECT_EQ (parseAndFormat ("P:0 v:2.1 size:20480 blk Jan 02 2025"), "v2.1_02Jan2025");
    EXPECT_EQ (parseAndFormat ("P:0 v:3.0.7 size 1 k Dec 31 2026 12:00"), "v3.0.7_31Dec2026");

    // Lines without the markers give something short, never a failure.
    EXPECT_EQ (parseAndFormat ("P:0"), "_P:0");
    EXPECT_EQ (parseAndFormat (""), "_");
}

//==============================================================================
TEST_F (Midi9Parser, PedalReportStoresAllPairsIntoTheFirstSelectorsPedal)
{
    parseFrame ({ 0xF0, 0x09, 0x00, 0x23, 0x12, 0x40, 0xF7 });

    EXPECT_EQ (PedInfo[1].controller, 64);
    EXPECT_EQ (host.inLog, juce::StringArray ({ " back pedal  sustain off chan # 1 hyst  0" }));
    EXPECT_EQ (host.widgetMoves, (Moves { { "backPedalControllerBox", 2 } }));

    host.inLog.clear();
    host.widgetMoves.clear();

    // Front pedal: mode, hysteresis, polarity (two bits), channel (four bits), an unknown field.
    parseFrame ({ 0xF0, 0x09, 0x00, 0x23, 0x00, 0x02, 0x41, 0x05, 0x06, 0x07, 0x09, 0x13, 0x07, 0x11, 0xF7 });

    EXPECT_EQ (PedInfo[0].mode, 2);
    EXPECT_EQ (PedInfo[0].hysteresis, 5);
    EXPECT_EQ (PedInfo[0].polarity, 3);
    EXPECT_EQ (PedInfo[0].channel, 3);
    EXPECT_EQ (host.inLog,
               juce::StringArray ({ " front pedal  contr#   0 smooth inverted chan # 4 hyst  5" }));
    EXPECT_EQ (host.widgetMoves, (Moves { { "frontPedalModeBox", 2 } }));
}

TEST_F (Midi9Parser, PedalReportOtherSelectorsPedalBitsAreIgnored)
{
    // Pedal 2 from the first selector; the second selector names pedal 1 but lands in pedal 2.
    parseFrame ({ 0xF0, 0x09, 0x00, 0x23, 0x20, 0x01, 0x12, 0x43, 0x24, 0x09, 0x25, 0x0A, 0xF7 });

    EXPECT_EQ (PedInfo[2].mode, 1);
    EXPECT_EQ (PedInfo[2].controller, 67);
    EXPECT_EQ (PedInfo[2].param_4, 9);
    EXPECT_EQ (PedInfo[2].param_5, 10);
    EXPECT_EQ (PedInfo[1].controller, 0);
    EXPECT_EQ (host.inLog, juce::StringArray ({ " aux 2 pedal  soft switch chan # 1 hyst  0" }));
    EXPECT_TRUE (host.widgetMoves.empty());
}

TEST_F (Midi9Parser, PedalReportNamesAndBadMode)
{
    parseFrame ({ 0xF0, 0x09, 0x00, 0x23, 0x30, 0x0B, 0x32, 0x0B, 0xF7 });
    parseFrame ({ 0xF0, 0x09, 0x00, 0x23, 0x12, 0x21, 0xF7 });

    EXPECT_EQ (host.inLog, juce::StringArray ({ " aux 3 pedal  expression bad data chan # 1 hyst  0",
                                                " back pedal  contr#  33 off chan # 1 hyst  0" }));
    EXPECT_TRUE (host.widgetMoves.empty()); // controller 33 has no item in the back-pedal list
}

TEST_F (Midi9Parser, PedalPairCutShortIsNotReadPastTheFrame)
{
    // The last selector has no value byte; the buffer beyond the frame holds an old value.
    const u8 buffer[] = { 0x09, 0x00, 0x23, 0x10, 0x02, 0x12, 0xF7, 0x40 };
    parse_midi9_sysex (buffer, 7);

    EXPECT_EQ (PedInfo[1].mode, 2);
    EXPECT_EQ (PedInfo[1].controller, 0);
}
} // namespace
