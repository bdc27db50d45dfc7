#include "support/InstrumentFixture.h"

#include "app/Monitor.h"
#include "app/MonitorWindow.h"

#include "protocol/Midi9Parser.h"
#include "protocol/PedalInfo.h"

using testhelpers::pumpMessages;
using testhelpers::pumpUntil;

namespace
{
class InstrumentReplies : public InstrumentFixture
{
};

TEST_F (InstrumentReplies, BoardSizeReportAtConnection)
{
    instrument.setBoardLayout (SimulatedInstrument::BoardLayout::twoBoards());
    start();

    ASSERT_TRUE (pumpUntil ([this] { return content->totalNotes == 73; }));
    EXPECT_TRUE (hasInLine ("BoardSize report 30 43 0 0"));
    EXPECT_TRUE (hasInLine ("73 Notes -> 2 Boards sized:0 0 43 30"));
    EXPECT_EQ (content->boardCount, 2);
    EXPECT_EQ (content->boardType, 3);
    EXPECT_EQ (content->lowestNote, 28);
}

TEST_F (InstrumentReplies, SettingsReportedBackMoveTheControls)
{
    instrument.setSetting (M9_MIDI_CHANNEL, 2);
    instrument.setSetting (M9_MIDDLE_C_REFERENCE, 47);
    instrument.setSetting (M9_VELOCITY_SENSITIVITY, 100);
    instrument.setSetting (M9_AFTER_PRESSURE_GAIN, 40);
    instrument.setSetting (M9_VELOCITY_CURVE, 8);
    start();

    auto& controls = content->controls;
    controls.getParametersFromTarget();

    ASSERT_TRUE (pumpUntil (
        [&]
        {
            return controls.midiChannelBox.getSelectedId() == 3 && controls.octaveBox.getSelectedId() == 1
                   && content->velocityCurve == 8;
        }));
    EXPECT_TRUE (hasInLine ("Midi Channel: 03"));
    EXPECT_TRUE (hasInLine ("Transpose: 47"));
    EXPECT_EQ (controls.transposeBox.getText(), "+11");
    EXPECT_EQ (controls.octaveBox.getText(), "-2");
    EXPECT_EQ (controls.velocitySlider.getValue(), -3.0);
    EXPECT_EQ (content->velocitySensitivity, -3);
    EXPECT_EQ (controls.pressureGainSlider.getValue(), 40.0);
    EXPECT_EQ (content->afterPressureGain, 40);
    EXPECT_EQ (content->velocityCurve, 8);

    // The velocity report has no business with the pressure controls.
    EXPECT_EQ (controls.pressureModeBox.getSelectedId(), 1);
}

TEST_F (InstrumentReplies, FirmwareStatusLinesFillTheVersions)
{
    instrument.setBoardLayout (SimulatedInstrument::BoardLayout::twoBoards());
    start();
    midi9ParserState = {};

    sendToInstrument (midi9_short_command (M9_GET_FIRMWARE_STATUS));

    ASSERT_TRUE (pumpUntil ([this] { return content->firmwareVersions[1].isNotEmpty(); }));
    EXPECT_EQ (content->firmwareVersions[0], "v2.1_02Jan2025");
    EXPECT_EQ (content->firmwareVersions[1], "v2.2_03Jan2025");
    EXPECT_TRUE (hasInLine ("P:0 v:2.1 size:20480 blk Jan 02 2025 keys 30"));
}

TEST_F (InstrumentReplies, ProgressDotsAndTextAreLoggedAsTheyCame)
{
    start();
    midi9ParserState = {};

    instrument.sendProgressDots (40);
    instrument.sendTextLine ("%s%n%d done");

    ASSERT_TRUE (pumpUntil ([this] { return hasInLine ("%s%n%d done"); }));
    EXPECT_EQ (countInLines ("."), 40);

    // 31 dots of phase 2, then 9 of phase 3.
    EXPECT_NEAR (content->firmwareProgress, 8.0f / 29.0f * 0.25f + 0.5f, 1e-5f);

    // In the Monitor View the dots line up on one line.
    pumpMessages (20);
    const auto text = content->monitorWindow->getMonitor()->midiInActivityEditor.getText();
    EXPECT_TRUE (text.contains (juce::String::repeatedString (".", 40) + "%s%n%d done")) << text;
}

TEST_F (InstrumentReplies, PedalReportFromTheInstrument)
{
    start();
    PedInfo = {};

    sendToInstrument (midi9_pedal_frame (
        { { midi9_pedal_selector (PEDAL_BACK, PEDAL_FIELD_CONTROLLER, true), 64 },
          { midi9_pedal_selector (PEDAL_BACK, PEDAL_FIELD_MODE, true), PEDAL_MODE_SWITCH } }));

    ASSERT_TRUE (pumpUntil ([this] { return hasInLine (" back pedal  sustain switch chan # 1 hyst  0"); }));
    EXPECT_EQ (PedInfo[1].controller, 64);
    EXPECT_EQ (PedInfo[1].mode, PEDAL_MODE_SWITCH);
}
} // namespace
