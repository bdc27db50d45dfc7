#include "UmpTestHost.h"

#include "protocol/Midi9Frame.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
using Bytes = std::vector<u8>;

_ump_message_struct packet (u32 w0, u32 w1 = 0, u32 w2 = 0, u32 w3 = 0)
{
    _ump_message_struct message;
    message.word[0] = w0;
    message.word[1] = w1;
    message.word[2] = w2;
    message.word[3] = w3;
    return message;
}

Bytes packed (const _ump_message_struct& message)
{
    u8 buf[kUmpSysexMaxBytes];
    const auto size = ump_to_sysex (buf, message);
    return { buf, buf + size };
}

//==============================================================================
struct PackCase
{
    const char* name;
    _ump_message_struct message;
    Bytes expected; // after F0, without F7
};

void PrintTo (const PackCase& c, std::ostream* os)
{
    *os << c.name;
}

class UmpPacking : public ::testing::TestWithParam<PackCase>
{
};

TEST_P (UmpPacking, PacksAndUnpacksByteExact)
{
    const auto& c = GetParam();
    const auto bytes = packed (c.message);
    EXPECT_EQ (bytes, c.expected) << c.name;

    auto frame = bytes;
    frame.push_back (0xF7);
    _ump_message_struct back;
    ASSERT_TRUE (sysex_to_ump (frame.data(), (int) frame.size(), back)) << c.name;

    for (int k = 0; k < ump_word_count (c.message); ++k)
        EXPECT_EQ (back.word[k], c.message.word[k]) << c.name << " word " << k;
}

INSTANTIATE_TEST_SUITE_P (
    Examples, UmpPacking,
    ::testing::Values (
        PackCase { "sharp offset controller, only bit 15 high",
                   packet (0x4030F90E, 0x82000000),
                   { 0x09, 0x21, 0x02, 0x40, 0x30, 0x79, 0x0E, 0x08, 0x02, 0x00, 0x00, 0x00 } },
        PackCase {
            "one-word packet of type 0", packet (0x0123ABCD), { 0x09, 0x21, 0x03, 0x01, 0x23, 0x2B, 0x4D } },
        PackCase { "all high bits", packet (0x2F808080), { 0x09, 0x21, 0x07, 0x2F, 0x00, 0x00, 0x00 } },
        PackCase { "flex data request",
                   packet (0xD001F000, 0x00100000, 0x4030F907, 0),
                   { 0x09, 0x21, 0x0A, 0x50, 0x01, 0x70, 0x00, 0x00, 0x00, 0x10, 0x00,
                     0x00, 0x02, 0x40, 0x30, 0x79, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00 } },
        PackCase { "sysex8 packet is four words",
                   packet (0x502D0A10, 0xFFFFFFFF, 0x01020304, 0x80000001),
                   { 0x09, 0x21, 0x00, 0x50, 0x2D, 0x0A, 0x10, 0x0F, 0x7F, 0x7F, 0x7F,
                     0x7F, 0x00, 0x01, 0x02, 0x03, 0x04, 0x08, 0x00, 0x00, 0x00, 0x01 } },
        PackCase { "three-word packet of type 0xB",
                   packet (0xB0000000, 1, 2),
                   { 0x09, 0x21, 0x08, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                     0x00, 0x02 } }));

TEST (UmpTransport, FrameLengthFollowsTheMessageType)
{
    const int expectedWords[16] = { 1, 1, 1, 2, 2, 4, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4 };

    for (u32 type = 0; type < 16; ++type)
    {
        EXPECT_EQ (ump_word_count (packet (type << 28)), expectedWords[type]) << type;
        EXPECT_EQ (ump_sysex_message (packet (type << 28)).getRawDataSize(), 4 + 5 * expectedWords[type])
            << type;
    }
}

TEST (UmpTransport, SendsWholeFramesThroughTheOpenOutput)
{
    UmpTestHost host;

    ump_out (packet (0x00000000));
    tunnel_ump_out (packet (0x4030F90E, 0x82000000));
    tunnel_ump_out (packet (0xD001F000, 0, 0x4030F90D, 0));

    ASSERT_EQ (host.output->sent.size(), 3u);
    EXPECT_EQ (host.output->bytesOf (0), (Bytes { 0xF0, 0x09, 0x21, 0, 0, 0, 0, 0, 0xF7 }));
    EXPECT_EQ (host.output->bytesOf (1), (Bytes { 0xF0, 0x09, 0x34, 0x02, 0x40, 0x30, 0x79, 0x0E, 0x08, 0x02,
                                                  0x00, 0x00, 0x00, 0xF7 }));
    EXPECT_EQ (host.output->bytesOf (2).size(), 24u);
    EXPECT_EQ (host.output->bytesOf (2)[2], 0x3D);
    EXPECT_TRUE (host.outLines.isEmpty());
    EXPECT_TRUE (host.inLines.isEmpty());

    host.midiOutput.reset();
    ump_out (packet (0x00000000)); // nothing to send through, nothing happens
}

//==============================================================================
struct ReceiveCase
{
    const char* name;
    Bytes frame; // F0 to F7
    bool handled;
};

void PrintTo (const ReceiveCase& c, std::ostream* os)
{
    *os << c.name;
}

class UmpReceive : public ::testing::TestWithParam<ReceiveCase>
{
};

// A controller report in a Flex Data frame is the easiest effect to see
Bytes flexReport (u32 word2, u32 word3)
{
    const auto message = ump_sysex_message (packet (0xD001F000, 0, word2, word3));
    return { message.getRawData(), message.getRawData() + message.getRawDataSize() };
}

TEST_P (UmpReceive, HandlesOnlyWholeFramesOfItsKind)
{
    const auto& c = GetParam();
    UmpTestHost host;

    // The parser gets a pointer into a larger buffer, as the routing may give it; bytes of an
    // earlier message lie behind the frame
    Bytes buffer (64, 0x7F);
    std::copy (c.frame.begin(), c.frame.end(), buffer.begin());
    parse_tunneled_umps (buffer.data() + 1, (int) c.frame.size() - 1);

    EXPECT_EQ (host.velocityMinReport.received == 1, c.handled) << c.name;
}

Bytes truncated (Bytes frame, size_t size)
{
    frame.resize (size - 1);
    frame.push_back (0xF7);
    return frame;
}

Bytes withKind (Bytes frame, u8 kind)
{
    frame[2] = kind;
    return frame;
}

INSTANTIATE_TEST_SUITE_P (
    Frames, UmpReceive,
    ::testing::Values (
        ReceiveCase { "whole report", flexReport (0x40204141, 0x00200000), true },
        ReceiveCase { "one byte short", truncated (flexReport (0x40204141, 0x00200000), 23), false },
        ReceiveCase { "three words only", truncated (flexReport (0x40204141, 0x00200000), 19), false },
        ReceiveCase { "header only", Bytes { 0xF0, 0x09, 0x21, 0xF7 }, false },
        ReceiveCase { "empty", Bytes { 0xF0, 0xF7 }, false },
        ReceiveCase { "tunnel kind is not parsed", withKind (flexReport (0x40204141, 0x00200000), 0x3D),
                      false },
        ReceiveCase { "command kind is not parsed", withKind (flexReport (0x40204141, 0x00200000), 0x00),
                      false }));

TEST (UmpTransport, ShortFramesOfEveryTypeAreIgnoredWithoutReadingPastThem)
{
    UmpTestHost host;

    for (u32 type = 0; type < 16; ++type)
    {
        const auto message = ump_sysex_message (packet (type << 28 | 0x00FFFFFF, ~0u, ~0u, ~0u));

        for (int size = 1; size < message.getRawDataSize() - 1; ++size)
        {
            // An exactly sized copy, so a read past its end shows under the address sanitizer
            std::vector<u8> data (message.getRawData() + 1, message.getRawData() + size);
            data.push_back (0xF7);
            auto heapCopy = std::make_unique<u8[]> (data.size());
            std::copy (data.begin(), data.end(), heapCopy.get());
            parse_tunneled_umps (heapCopy.get(), (int) data.size());
        }
    }

    EXPECT_TRUE (host.inLines.isEmpty());
    EXPECT_TRUE (host.outLines.isEmpty());
    EXPECT_TRUE (host.fed.empty());
    EXPECT_TRUE (host.output->sent.empty());
    parse_tunneled_umps (nullptr, 0);
}

TEST (UmpTransport, RandomFramesNeverReadPastTheirEnd)
{
    UmpTestHost host;
    host.boardType = 1;
    std::mt19937 random (3);

    for (int i = 0; i < 20000; ++i)
    {
        // Exactly sized, so a read past the end shows under the address sanitizer
        const auto size = 2 + (int) (random() % 30);
        auto frame = std::make_unique<u8[]> ((size_t) size);
        frame[0] = 0x09;
        frame[1] = 0x21;

        for (int k = 2; k < size; ++k)
            frame[k] = (u8) (random() & (k % 5 == 2 ? 0x0F : 0xFF));

        parse_tunneled_umps (frame.get(), size);
    }

    for (auto& record : OTA_str_ctrl)
        EXPECT_LE (record.offset, record.size);
}

TEST (UmpTransport, DispatchesByMessageType)
{
    UmpTestHost host;

    // Type 4: key position report
    host.receive (ump_sysex_message (packet (0x40A01C00, 0x00010203)));
    EXPECT_EQ (host.restFound[0], 1);
    ASSERT_EQ (host.fed.size(), 1u);

    // Type 5: firmware status (a write done on the target's record)
    host.boardType = 1;
    host.receive (ump_sysex_message (packet (0x500D0700, 0x09160107)));
    EXPECT_EQ (OTA_str_ctrl[7].state, OTA_STATE_DONE);

    // Other types: nothing
    host.receive (ump_sysex_message (packet (0x20901C40)));
    host.receive (ump_sysex_message (packet (0xF0000000, 0x40204141, 0x00200000)));
    EXPECT_EQ (host.velocityMinReport.received, 0);
    EXPECT_EQ (host.fed.size(), 1u);
}

TEST (UmpTransport, CStringLogLinesGoToTheOutLogAsData)
{
    UmpTestHost host;

    logMessage ("%s%n%x");
    logMessage ("");
    logMessage (nullptr);

    EXPECT_EQ (host.outLines, juce::StringArray ({ "%s%n%x", "" }));
    EXPECT_TRUE (host.inLines.isEmpty());
}
} // namespace
