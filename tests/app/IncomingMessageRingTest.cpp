#include "app/IncomingMessageRing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
// A system-exclusive message that carries its sequence number and, when long, a pattern
// derived from it, so that a torn or mixed-up message shows.
juce::MidiMessage numbered (int sequence, bool longMessage)
{
    std::vector<juce::uint8> data { (juce::uint8) (sequence & 0x7f), (juce::uint8) ((sequence >> 7) & 0x7f),
                                    (juce::uint8) ((sequence >> 14) & 0x7f) };
    if (longMessage)
        for (int i = 0; i < 40; ++i)
            data.push_back ((juce::uint8) ((sequence + i) & 0x7f));

    return juce::MidiMessage::createSysExMessage (data.data(), (int) data.size());
}

// The sequence number of a numbered message, or -1 when its bytes do not agree with it.
int sequenceOf (const juce::MidiMessage& message)
{
    const auto* data = message.getSysExData();
    const auto size = message.getSysExDataSize();

    if (!message.isSysEx() || (size != 3 && size != 43))
        return -1;

    const int sequence = data[0] | (data[1] << 7) | (data[2] << 14);

    for (int i = 3; i < size; ++i)
        if (data[i] != ((sequence + i - 3) & 0x7f))
            return -1;

    return sequence;
}
} // namespace

TEST (IncomingMessageRing, KeepsTheNewestWhenABurstOverflowsIt)
{
    IncomingMessageRing ring;
    ASSERT_EQ (ring.capacity(), 1024u);

    for (int i = 0; i < 2000; ++i)
        ring.push (numbered (i, i % 3 == 0));

    EXPECT_EQ (ring.size(), 1024u);

    for (int expected = 2000 - 1024; expected < 2000; ++expected)
    {
        auto message = ring.pop();
        ASSERT_TRUE (message.has_value());
        ASSERT_EQ (sequenceOf (*message), expected);
    }

    EXPECT_TRUE (ring.empty());
    EXPECT_FALSE (ring.pop().has_value());
}

TEST (IncomingMessageRing, HandsMessagesOverWholeAndInOrderBetweenThreads)
{
    IncomingMessageRing ring;
    constexpr int total = 1000000;
    std::atomic<bool> producerDone { false };

    std::thread producer (
        [&]
        {
            for (int i = 0; i < total; ++i)
                ring.push (numbered (i, i % 16 == 0));
            producerDone = true;
        });

    int last = -1, received = 0, torn = 0, outOfOrder = 0;

    for (;;)
    {
        const bool finished = producerDone.load();
        auto message = ring.pop();

        if (!message)
        {
            if (finished)
                break;
            std::this_thread::yield();
            continue;
        }

        const auto sequence = sequenceOf (*message);
        torn += sequence < 0 ? 1 : 0;
        outOfOrder += sequence <= last ? 1 : 0;
        last = juce::jmax (last, sequence);
        ++received;
    }

    producer.join();

    EXPECT_EQ (torn, 0);
    EXPECT_EQ (outOfOrder, 0);
    EXPECT_EQ (last, total - 1);
    // Whatever was overwritten while the reader lagged was the oldest, never the newest.
    EXPECT_GE (received, 1024);
}
