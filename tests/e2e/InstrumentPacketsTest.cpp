#include "app/MonitorWindow.h"
#include "protocol/FirmwareStream.h"
#include "protocol/MidiControllers.h"
#include "support/RecordingContent.h"
#include "support/SimulatedInstrument.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
std::vector<u8> randomImage (size_t size)
{
    std::mt19937 random ((unsigned) size);
    std::vector<u8> image (size);

    for (auto& byte : image)
        byte = (u8) random();

    return image;
}

//==============================================================================
/** The central component on virtual devices beside the simulated instrument, its timers held:
    the test runs the main tick itself, so the figures do not depend on the machine's speed. */
class InstrumentPackets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        instrument.plug();
        content = std::make_unique<RecordingContent> (devices);

        for (int id = 1; id <= 5; ++id)
            content->stopTimer (id);

        content->setMidiInput();
        content->ciDiscoveryCountdown = 0;
        sync();
        tick (5); // version lines, board-size reply
        content->clearLines();
        ota_reset_streams();
        ota_last_out_ptr = 300;
    }

    void TearDown() override
    {
        EXPECT_TRUE (firmware().getErrors().empty()) << firmware().getErrors().front();
        EXPECT_TRUE (controllers().getErrors().empty()) << controllers().getErrors().front();
        EXPECT_TRUE (instrument.takeErrors().empty());
        content.reset();
        testhelpers::pumpMessages (10);
    }

    /** Everything sent so far has been answered, and the answers sit in the ring. */
    void sync()
    {
        ASSERT_TRUE (instrument.waitUntilIdle());
        ASSERT_TRUE (devices.waitUntilDelivered());
    }

    void tick (int count = 1)
    {
        for (int i = 0; i < count; ++i)
        {
            content->mainTick();
            sync();
        }
    }

    bool tickUntil (const std::function<bool()>& condition, int maxTicks)
    {
        for (int i = 0; i < maxTicks && !condition(); ++i)
            tick();

        return condition();
    }

    SimulatedFirmwareReceiver& firmware() { return instrument.getFirmwareReceiver(); }
    SimulatedControllerResponder& controllers() { return instrument.getControllerResponder(); }
    ota_stream_ctrl& record() { return OTA_str_ctrl[ota_target_id (content->boardType)]; }

    bool finished() { return record().state == OTA_STATE_IDLE && firmware().isComplete(); }

    int count (const juce::String& line) { return content->countOutLines (line); }

    VirtualMidiDeviceLayer devices;
    SimulatedInstrument instrument { devices };
    std::unique_ptr<RecordingContent> content;
};

//==============================================================================
class FirmwareUpload : public InstrumentPackets, public ::testing::WithParamInterface<size_t>
{
};

TEST_P (FirmwareUpload, ArrivesByteExact)
{
    const auto image = randomImage (GetParam());

    ASSERT_TRUE (ota_start_transfer (image.data(), (std::int64_t) image.size()));
    ASSERT_TRUE (tickUntil ([&] { return finished(); }, kPartitionDataSize / 12 + 100));

    EXPECT_TRUE (firmware().hasSeenDeepChill());
    EXPECT_EQ (firmware().getTargetId(), 7); // the one-board layout reports type 0, taken as board type 1
    EXPECT_EQ (firmware().getAnnouncedSize(), image.size());
    EXPECT_EQ (firmware().getImage(), image);
    EXPECT_EQ (firmware().getNumDataPackets(), (int) (image.size() + 11) / 12);
    EXPECT_EQ (count ("waiting for confirmation"), 1);
    EXPECT_EQ (count ("OTA SX8_OTA_SEND_STREAM_OPENED by target"), 1);
    EXPECT_EQ (count ("OTA SX8_OTA_REPLY_STREAM_OPENED by target"), 1);
    EXPECT_EQ (count ("Single board Done"), 1);

    // A progress dot past 300 bytes and then every 5000, straight into the MIDI OUT log
    int expectedDots = 0;
    for (size_t mark = 300; mark < (image.size() + 11) / 12 * 12; mark += 5000)
        ++expectedDots;

    const auto outText = content->monitorWindow->getMonitor()->midiOutActivityEditor.getText();
    EXPECT_EQ (outText.length() - outText.removeCharacters (".").length(), expectedDots);
}

INSTANTIATE_TEST_SUITE_P (ImageSizes, FirmwareUpload, ::testing::Values (1, 12, 13, 24, 25, 400000));

TEST_F (InstrumentPackets, UploadGoesToTheStreamOfTheBoardType)
{
    content->boardType = 3;

    const auto image = randomImage (100);
    ota_start_transfer (image.data(), 100);
    ASSERT_TRUE (tickUntil ([&] { return finished(); }, 100));
    EXPECT_EQ (firmware().getTargetId(), 9);
    EXPECT_EQ (firmware().getImage(), image);
}

TEST_F (InstrumentPackets, PauseHoldsTheUploadAndResumeFinishesIt)
{
    const auto image = randomImage (2000);
    ota_start_transfer (image.data(), 2000);
    ASSERT_TRUE (tickUntil ([&] { return firmware().getNumDataPackets() == 20; }, 100));

    firmware().pause();
    sync();
    tick (50);

    // The tick pumps before it drains, so one packet goes out before the pause is read
    EXPECT_EQ (firmware().getNumDataPackets(), 21);
    EXPECT_EQ (firmware().getPacketsWhileStopped(), 1);
    EXPECT_EQ (record().state, OTA_STATE_STREAMING);

    firmware().resume();
    sync();
    ASSERT_TRUE (tickUntil ([&] { return finished(); }, 500));
    EXPECT_EQ (firmware().getImage(), image);
}

TEST_F (InstrumentPackets, SetOffsetSendsFromThere)
{
    const auto image = randomImage (2000);
    ota_start_transfer (image.data(), 2000);
    ASSERT_TRUE (tickUntil ([&] { return firmware().getNumDataPackets() == 20; }, 100));

    firmware().pause();
    sync();
    tick (3);
    ASSERT_EQ (record().offset, 21u * 12u);

    firmware().setOffset (100); // back: these bytes go again
    sync();
    tick();
    EXPECT_EQ (record().offset, 100u);

    firmware().resume();
    sync();
    ASSERT_TRUE (tickUntil ([&] { return finished(); }, 500));
    EXPECT_EQ (firmware().getImage(), image);
    EXPECT_EQ (firmware().getNumDataPackets(), 21 + (2000 - 100 + 11) / 12);
}

TEST_F (InstrumentPackets, AnOffsetBeyondTheImageIsIgnoredAndTheUploadGoesOn)
{
    const auto image = randomImage (2000);
    ota_start_transfer (image.data(), 2000);
    ASSERT_TRUE (tickUntil ([&] { return firmware().getNumDataPackets() == 20; }, 100));

    firmware().pause();
    sync();
    tick (3);
    firmware().sendStatus (SX8_OTA_SET_OFFSET, 0x0FFFFF);
    sync();
    tick();

    EXPECT_EQ (record().offset, 21u * 12u);
    EXPECT_EQ (count ("OTA SX8_OTA_SET_OFFSET beyond the image ignored"), 1);

    firmware().resume();
    sync();
    ASSERT_TRUE (tickUntil ([&] { return finished(); }, 500));
    EXPECT_EQ (firmware().getImage(), image);
}

TEST_F (InstrumentPackets, AbortEndsTheUpload)
{
    const auto image = randomImage (2000);
    ota_start_transfer (image.data(), 2000);
    ASSERT_TRUE (tickUntil ([&] { return firmware().getNumDataPackets() == 20; }, 100));

    firmware().abort();
    sync();
    tick (50);

    EXPECT_EQ (record().state, OTA_STATE_IDLE);
    EXPECT_EQ (firmware().getPacketsWhileStopped(), 1);
    EXPECT_FALSE (firmware().isComplete());
    EXPECT_EQ (count ("OTA SX8_OTA_REPLY_WRITE_ABORT by target"), 1);
    EXPECT_EQ (count ("OTA update aborted by target"), 1);
}

TEST_F (InstrumentPackets, SilenceCancelsAfterAboutFiveSeconds)
{
    firmware().setSilent (true);
    const auto image = randomImage (2000);
    ota_start_transfer (image.data(), 2000);

    tick (5001); // five seconds of 1 ms ticks
    EXPECT_EQ (record().state, OTA_STATE_OPENING);
    EXPECT_EQ (count ("UPDATE Canceled. No response"), 0);

    tick();
    EXPECT_EQ (record().state, OTA_STATE_IDLE);
    EXPECT_EQ (count ("UPDATE Canceled. No response"), 1);
    EXPECT_EQ (firmware().getNumDataPackets(), 0);

    // The line reaches the Monitor View's MIDI OUT log
    ASSERT_TRUE (testhelpers::pumpUntil (
        [&]
        {
            const auto& editor = content->monitorWindow->getMonitor()->midiOutActivityEditor;
            return juce::StringArray::fromLines (editor.getText()).contains ("UPDATE Canceled. No response");
        }));
}

//==============================================================================
TEST_F (InstrumentPackets, ParameterQueriesBringBackTheControllerReports)
{
    controllers().setControllerValue (UMP_NRPN_BASE + NRPN_SHARP_OFFSET, sharp_offset_value (-3));
    controllers().setControllerValue (UMP_NRPN_BASE + NRPN_PRESSURE_RESOLUTION,
                                      pressure_resolution_value (9));
    controllers().setControllerValue (UMP_NRPN_BASE + NRPN_SUSTAIN_MODE, 0x01000000);
    content->instrumentInputFound = content->instrumentOutputFound = 1;

    instrument.clearReceived();
    content->controls.getParametersFromTarget();
    sync();

    EXPECT_EQ (
        controllers().getRequestedControllers(),
        (std::vector<u32> { UMP_NRPN_BASE + NRPN_SHARP_OFFSET, UMP_NRPN_BASE + NRPN_PRESSURE_RESOLUTION,
                            UMP_NRPN_BASE + NRPN_SUSTAIN_MODE }));

    // The three requests among the queries, where the panel sends them
    const auto received = instrument.getReceivedBytes();
    ASSERT_EQ (received.size(), 10u);
    for (size_t i : { 6u, 7u, 9u })
    {
        EXPECT_EQ (received[i].size(), 24u) << i;
        EXPECT_EQ (received[i][2], 0x3D) << i;
    }

    ASSERT_TRUE (
        tickUntil ([&] { return content->blackKeyOffset == -3 && content->pressureResolution == 9; }, 50));

    tick (30); // the rest of the replies, the sustain report last

    // The sustain report selects the list, with asynchronous notification
    ASSERT_TRUE (
        testhelpers::pumpUntil ([&] { return content->controls.sustainModeBox.getSelectedId() == 1; }));
    EXPECT_EQ (content->countInLines ("Controller #f90e: 7a00"), 1);
}

TEST_F (InstrumentPackets, KeyPositionReportsMarkRestsAndShowAsProgramChanges)
{
    controllers().sendKeyPositionReport (28, 0x00123456);
    controllers().sendKeyPositionReport (100, 0x00654321);
    sync();
    tick (4);

    EXPECT_EQ (content->restFound.front(), 1);
    EXPECT_EQ (content->restFound.back(), 1);
    EXPECT_EQ (content->countInLines ("Program change    Ch.  1    28"), 1);
    EXPECT_EQ (content->countInLines ("Program change    Ch.  1    100"), 1);
}
} // namespace
