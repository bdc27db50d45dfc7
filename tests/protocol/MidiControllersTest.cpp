#include "UmpTestHost.h"

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<u8>;

//==============================================================================
// One report per row: what it stores and whether it writes the controller line
struct ReportCase
{
    const char* name;
    u32 word0, word1;
    std::function<void (UmpTestHost&)> check;
    juce::String line; // empty: no line
};

void PrintTo (const ReportCase& c, std::ostream* os)
{
    *os << c.name;
}

class ControllerReports : public ::testing::TestWithParam<ReportCase>
{
};

TEST_P (ControllerReports, StoreAndLogAsTheTableSays)
{
    const auto& c = GetParam();
    UmpTestHost host;
    host.blackKeyOffset = 99;
    host.pressureResolution = 99;

    _ump_message_struct report;
    report.word[0] = c.word0;
    report.word[1] = c.word1;
    post_controller_report (report);

    c.check (host);

    if (c.line.isEmpty())
        EXPECT_TRUE (host.inLines.isEmpty()) << c.name << ": " << host.inLines.joinIntoString ("|");
    else
        EXPECT_EQ (host.inLines, juce::StringArray (c.line)) << c.name;

    EXPECT_TRUE (host.outLines.isEmpty()) << c.name;
}

void nothingStored (UmpTestHost& host)
{
    for (auto* report : { &host.controller4140Report, &host.velocityMinReport, &host.hardLevelReport,
                          &host.softLevelReport, &host.noteOnPositionReport, &host.noteOffPositionReport,
                          &host.sharpAdjustReport, &host.stepNumberReport })
        EXPECT_EQ (report->received, 0);

    EXPECT_EQ (host.blackKeyOffset, 99);
    EXPECT_EQ (host.pressureResolution, 99);
    EXPECT_TRUE (host.sustainSelections.empty());
}

std::function<void (UmpTestHost&)> reportValue (ControllerReport UmpTestHost::*member, float value)
{
    return [member, value] (UmpTestHost& host)
    {
        EXPECT_EQ ((host.*member).received, 1);
        EXPECT_FLOAT_EQ ((host.*member).value, value);
    };
}

INSTANTIATE_TEST_SUITE_P (
    EveryRow, ControllerReports,
    ::testing::Values (
        ReportCase { "velocity minimum", 0x40204141, 0x00200000,
                     reportValue (&UmpTestHost::velocityMinReport, 32.0f / 512.0f),
                     "Controller #4141: 0020" },
        ReportCase { "soft level", 0x40204142, 0x08000000,
                     reportValue (&UmpTestHost::softLevelReport, 2048.0f / 4096.0f),
                     "Controller #4142: 0800" },
        ReportCase { "hard level", 0x40204143, 0xFE660000,
                     reportValue (&UmpTestHost::hardLevelReport, 65126.0f / 4096.0f),
                     "Controller #4143: fe66" },
        ReportCase { "note-on position", 0x40204145, 0x80000000,
                     reportValue (&UmpTestHost::noteOnPositionReport, 32768.0f / 655.3f),
                     "Controller #4145: 8000" },
        ReportCase { "note-off position", 0x40204146, 0x1999A000,
                     reportValue (&UmpTestHost::noteOffPositionReport, 6553.0f / 655.3f),
                     "Controller #4146: 1999" },
        ReportCase { "step number, not the inverse of its sending scale", 0x4020412F, 0x20000000,
                     reportValue (&UmpTestHost::stepNumberReport, 8192.0f / 655.3f),
                     "Controller #412f: 2000" },
        ReportCase { "key parameter 4140 is flagged without a line", 0x40204140, 0x12340000,
                     [] (UmpTestHost& host) { EXPECT_EQ (host.controller4140Report.received, 1); }, "" },
        ReportCase { "registered 4144 is not a report", 0x40204144, 0x12340000, nothingStored, "" },
        ReportCase { "unknown registered controller", 0x40200001, 0x12340000, nothingStored, "" },
        ReportCase { "sharp adjust is flagged, its value untouched", 0x4030F905, 0x5E000000,
                     [] (UmpTestHost& host)
                     {
                         EXPECT_EQ (host.sharpAdjustReport.received, 1);
                         EXPECT_EQ (host.sharpAdjustReport.value, 0.0f);
                     },
                     "Controller #f905: 5e00" },
        ReportCase { "sustain smooth", 0x4030F907, 0x02000000,
                     [] (UmpTestHost& host) { EXPECT_EQ (host.sustainSelections, std::vector<int> { 2 }); },
                     "Controller #f907: 0200" },
        ReportCase { "sustain on/off in the top nibble", 0x4030F907, 0x10000000,
                     [] (UmpTestHost& host) { EXPECT_EQ (host.sustainSelections, std::vector<int> { 1 }); },
                     "Controller #f907: 1000" },
        ReportCase { "sustain mode 3 is no mode", 0x4030F907, 0x03000000, nothingStored, "" },
        ReportCase { "sustain mode 0 is no mode", 0x4030F907, 0x00000000, nothingStored, "" },
        ReportCase { "pressure resolution", 0x4030F90D, 0x0E000000,
                     [] (UmpTestHost& host)
                     {
                         EXPECT_EQ (host.pressureResolution, 7);
                         EXPECT_EQ (mcr_test, 7);
                     },
                     "Controller #f90d: 0e00" },
        ReportCase { "sharp offset +1", 0x4030F90E, 0x82000000,
                     [] (UmpTestHost& host)
                     {
                         EXPECT_EQ (host.blackKeyOffset, 1);
                         EXPECT_EQ (mcr_test, 1);
                     },
                     "Controller #f90e: 8200" },
        ReportCase { "sharp offset -15", 0x4030F90E, 0x62000000,
                     [] (UmpTestHost& host) { EXPECT_EQ (host.blackKeyOffset, -15); },
                     "Controller #f90e: 6200" },
        ReportCase { "sharp offset with an empty top byte is 0, without a line", 0x4030F90E, 0x00FFFFFF,
                     [] (UmpTestHost& host) { EXPECT_EQ (host.blackKeyOffset, 0); }, "" },
        ReportCase { "key parameter F940 only recognised", 0x4030F940, 0x00010000, nothingStored,
                     "Controller #f940: 0001" },
        ReportCase { "other assignable controller", 0x4030F906, 0x00010000, nothingStored,
                     "Controller #f906: 0001" },
        ReportCase { "not a controller message", 0x20904000, 0x00010000, nothingStored,
                     "Controller #4000: 0001" }));

TEST (ControllerReports, ControllersFilterOffKeepsTheStoreAndDropsTheLine)
{
    UmpTestHost host;
    host.monitorFilter.controllers = 0;

    _ump_message_struct report;
    report.word[0] = 0x40204141;
    report.word[1] = 0x00200000;
    post_controller_report (report);

    EXPECT_FLOAT_EQ (host.velocityMinReport.value, 0.0625f);
    EXPECT_TRUE (host.inLines.isEmpty());
}

TEST (ControllerReports, ArriveInFlexDataAndSysEx8StatusPackets)
{
    UmpTestHost host;
    host.boardType = 3;

    _ump_message_struct flex;
    flex.word[0] = 0xD001F000;
    flex.word[2] = 0x4030F90D;
    flex.word[3] = 0x18000000;
    host.receive (ump_sysex_message (flex));
    EXPECT_EQ (host.pressureResolution, 12);

    // A remote-control status reply from the target (id 9) on its stream
    _ump_message_struct status;
    status.word[0] = 0x500D0900;
    status.word[1] = 0x09410109;
    status.word[2] = 0x4030F90E;
    status.word[3] = 0x7E000000;
    host.receive (ump_sysex_message (status));
    EXPECT_EQ (host.blackKeyOffset, -1);
    EXPECT_EQ (host.outLines, juce::StringArray ("SX8_RC_STATUS_RPLY"));
}

//==============================================================================
struct SendCase
{
    const char* name;
    u32 actual, expected;
};

void PrintTo (const SendCase& c, std::ostream* os)
{
    *os << c.name;
}

class ControllerSendValues : public ::testing::TestWithParam<SendCase>
{
};

TEST_P (ControllerSendValues, ScaleAsTheTableSays)
{
    EXPECT_EQ (GetParam().actual, GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P (
    EveryRow, ControllerSendValues,
    ::testing::Values (SendCase { "velocity minimum 1", velocity_min_value (1.0f), 0x02000000 },
                       SendCase { "velocity minimum 16", velocity_min_value (16.0f), 0x20000000 },
                       SendCase { "velocity minimum 1.5", velocity_min_value (1.5f), 0x03000000 },
                       SendCase { "soft level 0.5", soft_level_value (0.5f), 0x08000000 },
                       SendCase { "soft level above range", soft_level_value (0.9f), 0x08000000 },
                       SendCase { "hard level 2", hard_level_value (2.0f), 0x20000000 },
                       SendCase { "hard level 16 goes as 15.9", hard_level_value (16.0f),
                                  (u32) ((double) 15.9f * 268435456.0) },
                       SendCase { "note position 50 %", key_position_value (50.0f),
                                  (u32) (0.5f * 4294901760.0f) },
                       SendCase { "note position below 10 % is 10 %", key_position_value (3.0f),
                                  key_position_value (10.0f) },
                       SendCase { "note position above 75 % is 75 %", key_position_value (100.0f),
                                  key_position_value (75.0f) },
                       SendCase { "step number 32", step_number_value (32.0f), 0x40000000 },
                       SendCase { "sharp adjust -46", sharp_adjust_value (-46), 0x02000000 },
                       SendCase { "sharp adjust 16", sharp_adjust_value (16), 63u << 25 },
                       SendCase { "pressure resolution 12", pressure_resolution_value (12), 0x18000000 },
                       SendCase { "sharp offset 0", sharp_offset_value (0), 0x80000000 },
                       SendCase { "sharp offset -15", sharp_offset_value (-15), 49u << 25 },
                       SendCase { "calibration all positions", CAL_MODE_ALL_POSITIONS, 0x0C000000 },
                       SendCase { "calibration down positions", CAL_MODE_DOWN_POSITIONS, 0x08000000 }));

TEST (ControllerSendValues, SharpOffsetFramesCarryTwiceTheOffset)
{
    UmpTestHost host;

    tunnel_ump_out (nrpn_message (NRPN_SHARP_OFFSET, sharp_offset_value (15)));
    tunnel_ump_out (nrpn_message (NRPN_SHARP_OFFSET, sharp_offset_value (-3)));

    EXPECT_EQ (host.output->bytesOf (0),
               (Bytes { 0xF0, 0x09, 0x34, 0x02, 0x40, 0x30, 0x79, 0x0E, 0x08, 30, 0x00, 0x00, 0x00, 0xF7 }));
    EXPECT_EQ (host.output->bytesOf (1), (Bytes { 0xF0, 0x09, 0x34, 0x02, 0x40, 0x30, 0x79, 0x0E, 0x00, 0x7A,
                                                  0x00, 0x00, 0x00, 0xF7 }));
}

TEST (ControllerReportRequest, IsATwentyFourByteFlexDataTunnelFrame)
{
    UmpTestHost host;

    controller_report_request (NRPN_SHARP_OFFSET);
    controller_report_request (NRPN_SUSTAIN_MODE);

    EXPECT_EQ (host.output->bytesOf (0),
               (Bytes { 0xF0, 0x09, 0x3D, 0x0A, 0x50, 0x01, 0x70, 0x00, 0x00, 0x00, 0x00, 0x00,
                        0x00, 0x02, 0x40, 0x30, 0x79, 0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 }));
    EXPECT_EQ (host.output->bytesOf (1),
               (Bytes { 0xF0, 0x09, 0x3D, 0x0A, 0x50, 0x01, 0x70, 0x00, 0x00, 0x00, 0x10, 0x00,
                        0x00, 0x02, 0x40, 0x30, 0x79, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 }));
    EXPECT_TRUE (host.outLines.isEmpty());
}

//==============================================================================
_ump_message_struct keyReport (int note, u32 value)
{
    _ump_message_struct report;
    report.word[0] = 0x40A00000u | (u32) note << 8;
    report.word[1] = value;
    return report;
}

TEST (KeyPositionReports, OutsideSingleNoteModeMarkTheRestFound)
{
    UmpTestHost host;

    handle_key_position_report (keyReport (28, 0x00123456));
    handle_key_position_report (keyReport (100, 0));

    EXPECT_EQ (host.restFound.front(), 1);
    EXPECT_EQ (host.restFound.back(), 1);
    ASSERT_EQ (host.fed.size(), 2u);
    EXPECT_TRUE (host.fed[0].isProgramChange());
    EXPECT_EQ (host.fed[0].getRawDataSize(), 2);
    EXPECT_EQ (host.fed[0].getRawData()[0], 0xC0);
    EXPECT_EQ (host.fed[0].getRawData()[1], 0x1C);
}

TEST (KeyPositionReports, NotesOutsideTheKeyboardSetNoFlagButAreStillFed)
{
    UmpTestHost host;

    handle_key_position_report (keyReport (27, 0));
    handle_key_position_report (keyReport (101, 0));
    handle_key_position_report (keyReport (127, 0));

    for (auto found : host.restFound)
        EXPECT_EQ (found, 0);

    ASSERT_EQ (host.fed.size(), 3u);
    EXPECT_EQ (host.fed[2].getProgramChangeNumber(), 127);
}

TEST (KeyPositionReports, InSingleNoteModeOnlyAnArmedCalibrationTakesTheNote)
{
    UmpTestHost host;
    host.singleNoteMode = 1;

    handle_key_position_report (keyReport (60, 0x00FFFFFF));
    EXPECT_EQ (host.singleNoteFound, 0);
    EXPECT_TRUE (host.fed.empty());

    host.singleNoteArmed = 1;
    handle_key_position_report (keyReport (60, 0xFF818283));

    EXPECT_EQ (host.singleNoteFound, 1);
    EXPECT_EQ (host.singleNoteNumber, 60);
    EXPECT_EQ (host.singleNoteValue, 0x00010203u); // bits 31-24, 23, 15 and 7 left out
    EXPECT_EQ (host.restFound[60 - 28], 0);
    ASSERT_EQ (host.fed.size(), 1u);
    EXPECT_EQ (host.fed[0].getProgramChangeNumber(), 60);
}
} // namespace
