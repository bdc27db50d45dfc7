#include "UmpTestHost.h"
#include "support/SimulatedFirmwareReceiver.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>

namespace
{
std::vector<u8> randomImage (size_t size, unsigned seed = 5)
{
    std::mt19937 random (seed);
    std::vector<u8> image (size);

    for (auto& byte : image)
        byte = (u8) random();

    return image;
}

_ump_message_struct decode (const juce::MidiMessage& message)
{
    _ump_message_struct packet;
    EXPECT_TRUE (sysex_to_ump (message.getRawData() + 1, message.getRawDataSize() - 1, packet));
    return packet;
}

_ump_message_struct status (u32 stream, u8 command, u8 source, u32 argument = 0, u8 destination = OTA_HOST_ID)
{
    _ump_message_struct packet;
    packet.word[0] = 0x500D0000u | stream << 8;
    packet.word[1] = 0x09000000u | (u32) command << 16 | (u32) destination << 8 | source;
    packet.word[2] = argument;
    return packet;
}

//==============================================================================
/** The program's side and the simulated receiver, joined as the main tick joins them: each tick
    runs the pump, then hands at most one received message to the parser. */
struct Loopback
{
    Loopback()
    {
        host.boardType = 1; // target 7
        host.output->onSend = [this] (const juce::MidiMessage& message) { receiver.handleMessage (message); };
    }

    void tick()
    {
        ota_pump_step();

        if (!received.empty())
        {
            host.receive (received.front());
            received.pop_front();
        }
    }

    bool tickUntil (const std::function<bool()>& condition, int maxTicks)
    {
        for (int i = 0; i < maxTicks && !condition(); ++i)
            tick();

        return condition();
    }

    UmpTestHost host;
    std::deque<juce::MidiMessage> received;
    SimulatedFirmwareReceiver receiver { [this] (const juce::MidiMessage& message)
                                         { received.push_back (message); } };
    ota_stream_ctrl& record = OTA_str_ctrl[7];
};

//==============================================================================
TEST (FirmwareStreamStart, ImagesOutsideOneTo400000BytesSendNothing)
{
    UmpTestHost host;
    const std::vector<u8> image (400001, 1);

    EXPECT_FALSE (ota_start_transfer (image.data(), 0));
    EXPECT_FALSE (ota_start_transfer (image.data(), 400001));
    EXPECT_FALSE (ota_start_transfer (nullptr, 10));

    EXPECT_TRUE (host.output->sent.empty());
    EXPECT_EQ (host.outLines, juce::StringArray ({ "", "", "" }));
    EXPECT_EQ (OTA_str_ctrl[10].state, OTA_STATE_IDLE);

    EXPECT_TRUE (ota_start_transfer (image.data(), 400000));
    EXPECT_EQ (OTA_str_ctrl[10].state, OTA_STATE_OPENING);
    EXPECT_EQ (OTA_str_ctrl[10].size, 400000u);
}

TEST (FirmwareStreamStart, SendsDeepChillThenTheTwoOpenPacketsToTheBoardTypesTarget)
{
    UmpTestHost host;
    host.boardType = 3;
    const std::vector<u8> image (1000, 7);

    ASSERT_TRUE (ota_start_transfer (image.data(), (std::int64_t) image.size()));

    ASSERT_EQ (host.output->sent.size(), 3u);
    EXPECT_EQ (host.output->bytesOf (0), (std::vector<u8> { 0xF0, 0x09, 0x00, 0x0C, 0xF7 }));

    const auto open = decode (host.output->sent[1]);
    EXPECT_EQ (open.word[0], 0x500D0900u);
    EXPECT_EQ (open.word[1], 0x09110901u);
    EXPECT_EQ (open.word[2], 0x02000000u);
    EXPECT_EQ (open.word[3], 1000u);
    EXPECT_EQ (decode (host.output->sent[2]).word[1], 0x09120901u);

    const auto& r = OTA_str_ctrl[9];
    EXPECT_EQ (r.state, OTA_STATE_OPENING);
    EXPECT_EQ (r.src_id, OTA_HOST_ID);
    EXPECT_EQ (r.dst_id, 9);
    EXPECT_EQ (r.offset, 0u);
    EXPECT_EQ (r.send_open + r.reply_open, 0);
    EXPECT_EQ (host.outLines, juce::StringArray (""));
}

TEST (FirmwareStreamStart, TargetFollowsTheBoardType)
{
    EXPECT_EQ (ota_target_id (1), 7);
    EXPECT_EQ (ota_target_id (3), 9);
    EXPECT_EQ (ota_target_id (4), 10);
    EXPECT_EQ (ota_target_id (0), 10);
}

//==============================================================================
TEST (FirmwareStreamPump, OpenedStatusesInEitherOrderStartTheStream)
{
    UmpTestHost host;
    host.boardType = 1;
    const auto image = randomImage (100);
    ota_start_transfer (image.data(), 100);
    host.output->sent.clear();

    host.receive (ump_sysex_message (status (7, SX8_OTA_SEND_STREAM_OPENED, 7)));
    ota_pump_step();
    EXPECT_TRUE (host.output->sent.empty());
    EXPECT_NE (OTA_str_ctrl[7].state, OTA_STATE_STREAMING);

    host.receive (ump_sysex_message (status (7, SX8_OTA_REPLY_STREAM_OPENED, 7)));
    EXPECT_EQ (OTA_str_ctrl[7].state, OTA_STATE_STREAMING);
    ota_pump_step();
    ASSERT_EQ (host.output->sent.size(), 1u);
    EXPECT_EQ (decode (host.output->sent[0]).word[0], 0x502D0710u);
    EXPECT_TRUE (host.outLines.contains ("OTA SX8_OTA_SEND_STREAM_OPENED by target"));
    EXPECT_TRUE (host.outLines.contains ("OTA SX8_OTA_REPLY_STREAM_OPENED by target"));
}

struct PacketCase
{
    size_t size;
    std::vector<u32> words0; // word 0 of each data packet
};

void PrintTo (const PacketCase& c, std::ostream* os)
{
    *os << c.size << " bytes";
}

class FirmwareStreamPackets : public ::testing::TestWithParam<PacketCase>
{
};

TEST_P (FirmwareStreamPackets, ContinuePacketsThenOneEndPacketCarryingTheRest)
{
    const auto& c = GetParam();
    Loopback loop;
    loop.receiver.setConfirmsEnd (false);
    const auto image = randomImage (c.size);

    ASSERT_TRUE (ota_start_transfer (image.data(), (std::int64_t) c.size));
    ASSERT_TRUE (loop.tickUntil ([&] { return loop.record.state == OTA_STATE_WAIT_CONFIRM; }, 100));

    std::vector<u32> words0;

    for (auto& message : loop.host.output->sent)
        if (message.getRawDataSize() == 24 && ((decode (message).word[0] >> 20) & 0xF) >= 2)
            words0.push_back (decode (message).word[0]);

    EXPECT_EQ (words0, c.words0);
    EXPECT_EQ (loop.record.offset, 12 * c.words0.size());
    EXPECT_EQ (loop.receiver.getImage(), image);
    EXPECT_TRUE (loop.receiver.getErrors().empty()) << loop.receiver.getErrors().front();
    EXPECT_EQ (loop.host.outLines.joinIntoString ("|").fromLastOccurrenceOf ("|", false, false),
               "waiting for confirmation");
}

INSTANTIATE_TEST_SUITE_P (ImageSizes, FirmwareStreamPackets,
                          ::testing::Values (PacketCase { 1, { 0x50320710 } },
                                             PacketCase { 12, { 0x503D0710 } },
                                             PacketCase { 13, { 0x502D0710, 0x50320710 } },
                                             PacketCase { 24, { 0x502D0710, 0x503D0710 } },
                                             PacketCase { 25, { 0x502D0710, 0x502D0710, 0x50320710 } }));

TEST (FirmwareStreamPump, ImageBytesTravelLittleEndianPerWord)
{
    Loopback loop;
    const std::vector<u8> image { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 };
    ota_start_transfer (image.data(), 13);
    loop.tickUntil ([&] { return loop.receiver.getNumDataPackets() > 0; }, 10);

    const auto first = decode (loop.host.output->sent.back());
    EXPECT_EQ (first.word[1], 0x03020100u);
    EXPECT_EQ (first.word[2], 0x07060504u);
    EXPECT_EQ (first.word[3], 0x0B0A0908u);
}

TEST (FirmwareStreamPump, TheLastPacketIsPaddedWithZerosNotWithStaleBytes)
{
    Loopback loop;
    std::fill (std::begin (partition_data), std::end (partition_data), 0xAA);
    const std::vector<u8> image (13, 0x55);
    ota_start_transfer (image.data(), 13);
    loop.tickUntil ([&] { return loop.record.state == OTA_STATE_WAIT_CONFIRM; }, 10);

    const auto last = decode (loop.host.output->sent.back());
    EXPECT_EQ (last.word[1], 0x00000055u);
    EXPECT_EQ (last.word[2], 0u);
    EXPECT_EQ (last.word[3], 0u);
}

TEST (FirmwareStreamPump, ProgressDotsAfter300BytesThenEvery5000)
{
    Loopback loop;
    const auto image = randomImage (20000);
    ota_start_transfer (image.data(), 20000);
    loop.tickUntil ([&] { return loop.receiver.getNumDataPackets() == 25; }, 100);
    EXPECT_EQ (loop.host.progressDots, 0);

    loop.tickUntil ([&] { return loop.receiver.getNumDataPackets() == 26; }, 10);
    EXPECT_EQ (loop.host.progressDots, 1);
    EXPECT_FLOAT_EQ (loop.host.firmwareProgress, 312.0f / 20000.0f * 0.25f);

    loop.tickUntil ([&] { return loop.receiver.isComplete(); }, 2000);
    EXPECT_EQ (loop.host.progressDots, 4); // past 300, 5300, 10300 and 15300
    loop.tickUntil ([&] { return loop.record.state == OTA_STATE_IDLE; }, 5);
    EXPECT_EQ (ota_last_out_ptr, 30000u);

    // A second update after a single-board completion shows its first dot only past 30,000
    const auto second = randomImage (40000, 9);
    ota_start_transfer (second.data(), 40000);
    loop.tickUntil ([&] { return loop.receiver.getExpectedOffset() >= 30000; }, 5000);
    EXPECT_EQ (loop.host.progressDots, 4);
    loop.tick();
    EXPECT_EQ (loop.host.progressDots, 5);
}

TEST (FirmwareStreamPump, ProgressStopsAtAQuarterWhenTheEndPacketPassesTheImage)
{
    Loopback loop;
    const auto image = randomImage (301);
    ota_start_transfer (image.data(), 301);
    loop.tickUntil ([&] { return loop.receiver.isComplete(); }, 100);

    EXPECT_EQ (loop.host.progressDots, 1);
    EXPECT_EQ (loop.record.offset, 312u);
    EXPECT_FLOAT_EQ (loop.host.firmwareProgress, 0.25f);
}

//==============================================================================
TEST (FirmwareStreamStatus, SetOffsetMovesTheReadPosition)
{
    Loopback loop;
    const auto image = randomImage (1000);
    ota_start_transfer (image.data(), 1000);
    loop.tickUntil ([&] { return loop.receiver.getNumDataPackets() == 10; }, 100);

    loop.receiver.pause();
    loop.tickUntil ([&] { return loop.record.send_open == 0; }, 5);
    loop.tick();

    // Word 2 = 0x01000010: only the low 24 bits are the offset
    loop.host.receive (ump_sysex_message (status (7, SX8_OTA_SET_OFFSET, 7, 0x01000010)));
    EXPECT_EQ (loop.record.offset, 16u);

    loop.receiver.setOffset (36);
    loop.tick();
    EXPECT_EQ (loop.record.offset, 36u);

    loop.receiver.resume();
    ASSERT_TRUE (loop.tickUntil ([&] { return loop.receiver.isComplete(); }, 200));
    EXPECT_EQ (loop.receiver.getImage(), image);
    EXPECT_TRUE (loop.receiver.getErrors().empty());
}

TEST (FirmwareStreamStatus, AnOffsetBeyondTheImageIsIgnored)
{
    Loopback loop;
    const auto image = randomImage (100);
    ota_start_transfer (image.data(), 100);
    loop.tickUntil ([&] { return loop.receiver.getNumDataPackets() == 2; }, 100);

    loop.host.receive (ump_sysex_message (status (7, SX8_OTA_SET_OFFSET, 7, 0xFFFFFF)));
    EXPECT_EQ (loop.record.offset, 24u);
    EXPECT_TRUE (loop.host.outLines.contains ("OTA SX8_OTA_SET_OFFSET beyond the image ignored"));

    // The end of the image is still a place to go on from
    loop.host.receive (ump_sysex_message (status (7, SX8_OTA_SET_OFFSET, 7, 100)));
    EXPECT_EQ (loop.record.offset, 100u);
    loop.tick();
    EXPECT_EQ (decode (loop.host.output->sent.back()).word[0], 0x50310710u);
}

struct IgnoredStatusCase
{
    const char* name;
    _ump_message_struct packet;
};

void PrintTo (const IgnoredStatusCase& c, std::ostream* os)
{
    *os << c.name;
}

class FirmwareStreamIgnoredStatus : public ::testing::TestWithParam<IgnoredStatusCase>
{
};

TEST_P (FirmwareStreamIgnoredStatus, LeavesTheRecordAlone)
{
    UmpTestHost host;
    host.boardType = 1;
    auto& r = OTA_str_ctrl[7];
    r.state = OTA_STATE_STREAMING;
    r.send_open = r.reply_open = 1;
    r.src_id = 7;
    r.dst_id = OTA_HOST_ID;
    r.size = 1000;
    r.offset = 120;
    const auto before = r;

    host.receive (ump_sysex_message (GetParam().packet));

    EXPECT_EQ (r.state, before.state) << GetParam().name;
    EXPECT_EQ (r.send_open, before.send_open) << GetParam().name;
    EXPECT_EQ (r.offset, before.offset) << GetParam().name;
    EXPECT_TRUE (host.outLines.isEmpty()) << GetParam().name;
}

_ump_message_struct modified (_ump_message_struct packet, int word, u32 value)
{
    packet.word[word] = value;
    return packet;
}

INSTANTIATE_TEST_SUITE_P (
    Statuses, FirmwareStreamIgnoredStatus,
    ::testing::Values (
        IgnoredStatusCase { "manufacturer 00 0A",
                            modified (status (7, SX8_OTA_SEND_STREAM_PAUSED, 7), 1, 0x0A170107) },
        IgnoredStatusCase { "data byte 1 not 00",
                            modified (status (7, SX8_OTA_SEND_STREAM_PAUSED, 7), 0, 0x500D0701) },
        IgnoredStatusCase { "status 2", modified (status (7, SX8_OTA_SEND_STREAM_PAUSED, 7), 0, 0x502D0700) },
        IgnoredStatusCase { "stream id 12", status (12, SX8_OTA_SEND_STREAM_PAUSED, 7) },
        IgnoredStatusCase { "stream id 255", status (255, SX8_OTA_REPLY_WRITE_ABORT, 7) },
        IgnoredStatusCase { "status 1C", status (7, SX8_OTA_STATUS_1C, 7) },
        IgnoredStatusCase { "command 1E", status (7, 0x1E, 7) },
        IgnoredStatusCase { "command 3F", status (7, 0x3F, 7) },
        IgnoredStatusCase { "command 42", status (7, 0x42, 7) },
        IgnoredStatusCase { "command 7F", status (7, 0x7F, 7) }));

TEST (FirmwareStreamStatus, ANewSourceOnAnotherStreamResetsThatStreamAndIsDropped)
{
    UmpTestHost host;
    host.boardType = 1;
    auto& other = OTA_str_ctrl[3];
    other.state = OTA_STATE_STREAMING;
    other.send_open = other.reply_open = 1;

    host.receive (ump_sysex_message (status (3, SX8_OTA_REPLY_WRITE_ABORT, 5, 0, 4)));
    EXPECT_EQ (other.state, OTA_STATE_IDLE);
    EXPECT_EQ (other.src_id, 5);
    EXPECT_EQ (other.dst_id, 4);
    EXPECT_EQ (other.send_open + other.reply_open, 0);
    EXPECT_TRUE (host.outLines.isEmpty());

    // Stream 11 passes packets from any source on to the target's record
    host.receive (ump_sysex_message (status (11, SX8_RC_STATUS_REQ, 5)));
    EXPECT_EQ (host.outLines, juce::StringArray ("SX8_RC_STATUS_REQ"));
}

struct LoggedStatusCase
{
    u8 command;
    std::vector<const char*> lines;
};

void PrintTo (const LoggedStatusCase& c, std::ostream* os)
{
    *os << "command " << juce::String::toHexString ((int) c.command);
}

class FirmwareStreamLoggedStatus : public ::testing::TestWithParam<LoggedStatusCase>
{
};

TEST_P (FirmwareStreamLoggedStatus, WritesItsLinesToTheOutLog)
{
    UmpTestHost host;
    host.boardType = 4;
    OTA_str_ctrl[10].dst_id = OTA_HOST_ID;

    host.receive (ump_sysex_message (status (10, GetParam().command, 10)));

    EXPECT_EQ (host.outLines, juce::StringArray (GetParam().lines.data(), (int) GetParam().lines.size()));
    EXPECT_TRUE (host.inLines.isEmpty());
}

INSTANTIATE_TEST_SUITE_P (
    Statuses, FirmwareStreamLoggedStatus,
    ::testing::Values (
        LoggedStatusCase { SX8_OTA_WRITE, { "OTA target trying to write here: BOGUS" } },
        LoggedStatusCase {
            SX8_OTA_OPEN_SEND_STREAM,
            { "OTA target trying to open a stream to send data here: BOGUS... maybe some dey for "
              "something but not now" } },
        LoggedStatusCase {
            SX8_OTA_OPEN_REPLY_STREAM,
            { "OTA target trying to open a stream to open replt stream here: BOGUS... maybe some "
              "dey for something but not now" } },
        LoggedStatusCase {
            SX8_OTA_ERASE,
            { "OTA target trying to erase data here: BOGUS... maybe some dey for something but not "
              "now" } },
        LoggedStatusCase { SX8_OTA_READ, { "OTA target trying to read here: BOGUS" } },
        LoggedStatusCase { SX8_RC_STATUS_REQ, { "SX8_RC_STATUS_REQ" } },
        LoggedStatusCase { SX8_OTA_REPLY_WRITE_DONE, {} },
        LoggedStatusCase { SX8_OTA_SEND_STREAM_READY, {} }));

//==============================================================================
TEST (FirmwareProgress, PhasesMoveTheProgressThroughTheirQuarters)
{
    ProgressBarCounters counters;
    float progress = 0.0f;

    update_progress_bars (counters, progress, 1, 0.5f);
    EXPECT_FLOAT_EQ (progress, 0.125f);

    for (int i = 0; i < 31; ++i)
        update_progress_bars (counters, progress, 2, 1.0f);
    EXPECT_FLOAT_EQ (progress, 30.0f / 29.0f * 0.25f + 0.25f);

    update_progress_bars (counters, progress, 3, 1.0f);
    EXPECT_FLOAT_EQ (progress, 0.5f);
    update_progress_bars (counters, progress, 4, 1.0f);
    update_progress_bars (counters, progress, 4, 1.0f);
    EXPECT_FLOAT_EQ (progress, 1.0f / 29.0f * 0.25f + 0.75f);

    update_progress_bars (counters, progress, 5, 1.0f);
    EXPECT_FLOAT_EQ (progress, 1.0f / 29.0f * 0.25f + 0.75f);
    EXPECT_EQ (counters.b2 + counters.b3 + counters.b4, 0.0f);
}
} // namespace
