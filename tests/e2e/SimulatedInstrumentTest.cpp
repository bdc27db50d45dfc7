#include "support/SimulatedInstrument.h"
#include "protocol/Midi9Frame.h"

#include <gtest/gtest.h>

#include <mutex>

namespace
{
using Bytes = SimulatedInstrument::Bytes;

/** The program's side of the two ports, without the program. */
struct Host
{
    explicit Host (VirtualMidiDeviceLayer& devicesToUse) : devices (devicesToUse)
    {
        output = devices.openOutputDevice ("korvel-vn5-out");
        devices.setMidiInputDeviceEnabled ("korvel-vn5-in", true);
        devices.addMidiInputDeviceCallback ("korvel-vn5-in", &callback);
    }

    ~Host() { devices.removeMidiInputDeviceCallback ("korvel-vn5-in", &callback); }

    std::vector<Bytes> exchange (SimulatedInstrument& instrument, const Bytes& bytes)
    {
        callback.clear();
        output->sendMessageNow (juce::MidiMessage (bytes.data(), (int) bytes.size()));
        instrument.waitUntilIdle();
        devices.waitUntilDelivered();
        return callback.take();
    }

    struct Callback : juce::MidiInputCallback
    {
        void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
        {
            std::lock_guard<std::mutex> guard (lock);
            received.emplace_back (message.getRawData(), message.getRawData() + message.getRawDataSize());
        }
        std::vector<Bytes> take()
        {
            std::lock_guard<std::mutex> guard (lock);
            return std::move (received);
        }
        void clear() { take(); }

        std::mutex lock;
        std::vector<Bytes> received;
    };

    VirtualMidiDeviceLayer& devices;
    std::unique_ptr<MidiOutputPort> output;
    Callback callback;
};

Bytes bytesOf (const Midi9Bytes& frame)
{
    return Bytes (frame.begin(), frame.end());
}
} // namespace

class SimulatedInstrumentTest : public ::testing::Test
{
protected:
    void SetUp() override { instrument.plug(); }

    VirtualMidiDeviceLayer devices;
    SimulatedInstrument instrument { devices };
};

TEST_F (SimulatedInstrumentTest, AnswersTheBoardSizeQueryWithItsLayout)
{
    Host host (devices);
    EXPECT_EQ (host.exchange (instrument, bytesOf (midi9_query_frame (M9_BOARD_SIZE))),
               (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x1f, 73, 0, 0, 0, 0, 0xf7 } }));

    instrument.setBoardLayout (SimulatedInstrument::BoardLayout::twoBoards());
    EXPECT_EQ (host.exchange (instrument, bytesOf (midi9_query_frame (M9_BOARD_SIZE))),
               (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x1f, 30, 43, 0, 0, 3, 0xf7 } }));
}

TEST_F (SimulatedInstrumentTest, EchoesSetsAndReportsTheStoredValue)
{
    Host host (devices);
    const auto set = bytesOf (midi9_set_frame (M9_MIDI_CHANNEL, 2));

    EXPECT_EQ (host.exchange (instrument, set), (std::vector<Bytes> { set }));
    EXPECT_EQ (instrument.getSetting (M9_MIDI_CHANNEL), 2);
    EXPECT_EQ (host.exchange (instrument, bytesOf (midi9_query_frame (M9_MIDI_CHANNEL))),
               (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x2e, 0x01, 2, 2, 2, 2, 0xf7 } }));

    // Split on with flag 00 and off with flag 01, reported the same way.
    EXPECT_EQ (host.exchange (instrument, { 0xf0, 0x09, 0x00, 0x2c, 0x00, 60, 60, 60, 60, 0xf7 }).size(), 1u);
    EXPECT_EQ (host.exchange (instrument, bytesOf (midi9_query_frame (M9_KEY_SPLIT))),
               (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x2c, 0x00, 60, 60, 60, 60, 0xf7 } }));
    host.exchange (instrument, { 0xf0, 0x09, 0x00, 0x2c, 0x01, 0, 0, 0, 0, 0xf7 });
    EXPECT_EQ (host.exchange (instrument, bytesOf (midi9_query_frame (M9_KEY_SPLIT))),
               (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x2c, 0x01, 0, 0, 0, 0, 0xf7 } }));

    EXPECT_EQ (instrument.countReceived (set), 1);
    EXPECT_TRUE (instrument.takeErrors().empty());
}

TEST_F (SimulatedInstrumentTest, RecordsWhatTheProtocolCannotCarryAsErrors)
{
    Host host (devices);

    for (const Bytes& bad : std::vector<Bytes> {
             { 0xf0, 0x09, 0x00, 0x2e, 0x01, 0x80, 0x80, 0x80, 0x80, 0xf7 }, // data byte above 0x7F
             { 0xf0, 0x09, 0x00, 0x2e, 0x01, 0x02, 0x02, 0x02, 0x02 }, // no F7
             { 0xf0, 0x09, 0x00, 0x2e, 0x01, 0x02, 0x02, 0x02, 0xf7 }, // one value byte short
             { 0xf0, 0x09, 0x00, 0x1f, 0x00, 0x00, 0x00, 0x00, 0x00, 0xf7 }, // board query of ten bytes
             { 0xf0, 0x09, 0x00, 0x52, 0x01, 0xf7 }, // restore takes no argument
             { 0xf0, 0x09, 0x00, 0x23, 0x40, 0xf7 }, // pedal selector without value
             { 0xf0, 0x09, 0x00, 0x77, 0xf7 }, // unknown command
             { 0x90, 0x3c, 0x80 } }) // velocity above 0x7F
        EXPECT_TRUE (host.exchange (instrument, bad).empty());

    EXPECT_EQ (instrument.takeErrors().size(), 8u);
    EXPECT_EQ (instrument.getReceived().size(), 8u);
}

TEST_F (SimulatedInstrumentTest, UnpluggedItHearsNothing)
{
    auto output = devices.openOutputDevice ("korvel-vn5-out");
    instrument.unplug();
    EXPECT_TRUE (devices.getAvailableInputDevices().isEmpty());

    output->sendMessageNow (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1));
    instrument.waitUntilIdle();
    EXPECT_TRUE (instrument.getReceived().empty());

    instrument.plug();
    EXPECT_EQ (devices.getAvailableOutputDevices().size(), 1);
}

TEST_F (SimulatedInstrumentTest, LeavesUnknownFramesToAHandlerWhenOneIsSet)
{
    Host host (devices);
    std::atomic<int> handled { 0 };
    instrument.unhandledMessageHandler = [&] (const juce::MidiMessage&)
    {
        ++handled;
        return true;
    };

    host.exchange (instrument, { 0xf0, 0x09, 0x21, 0x01, 0x02, 0xf7 });
    EXPECT_EQ (handled.load(), 1);
    EXPECT_TRUE (instrument.takeErrors().empty());
}
