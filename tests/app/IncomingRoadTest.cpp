#include "support/ContentFixture.h"

#include <thread>

namespace
{
std::vector<juce::MidiMessage> drainRing (MainContentComponent& content)
{
    std::vector<juce::MidiMessage> drained;
    while (auto message = content.incomingMessages.pop())
        drained.push_back (*message);
    return drained;
}
} // namespace

using IncomingRoad = ContentFixture;

TEST_F (IncomingRoad, PitchWheelKeepsCentreTopAndTheLowerHalfOfEachHundred)
{
    for (int value : { 8192, 16383, 0, 49, 149, 50, 99, 8250 })
        content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::pitchWheel (1, value));

    std::vector<int> arrived;
    for (auto& message : drainRing (*content))
        arrived.push_back (message.getPitchWheelValue());

    EXPECT_EQ (arrived, (std::vector<int> { 8192, 16383, 0, 49, 149 }));
}

TEST_F (IncomingRoad, StampsMessagesWithSecondsSinceStart)
{
    auto message = juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100);
    message.setTimeStamp (content->startTime + 12.5);
    content->handleIncomingMidiMessage (nullptr, message);

    auto drained = drainRing (*content);
    ASSERT_EQ (drained.size(), 1u);
    EXPECT_DOUBLE_EQ (drained[0].getTimeStamp(), 12.5);
    EXPECT_TRUE (content->keyboardState.isNoteOn (1, 60));
}

TEST_F (IncomingRoad, PressureIsRecordedEvenWhenTheMonitorHidesIt)
{
    content->monitorFilter.pressure = 0;
    content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::aftertouchChange (1, 64, 77));

    EXPECT_EQ (content->notePressures[64].load(), 77);
    tick();
    EXPECT_TRUE (content->getInLines().empty());

    // A note byte past 127, from a back-end that does not mask it, gives no pressure but is passed on
    content->handleIncomingMidiMessage (nullptr, juce::MidiMessage (0xa0, 0xc0, 55));
    EXPECT_EQ (drainRing (*content).size(), 1u);
}

TEST_F (IncomingRoad, CalibrationTurnsProgramChangesIntoKeysAndDropsNotes)
{
    content->calibrationFlags.active = 1;
    content->calibrationFlags.downMode = 1;

    content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::noteOn (1, 40, (juce::uint8) 90));
    content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::noteOff (1, 40));
    content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::programChange (1, 60));
    content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::programChange (2, 61));
    content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::programChange (1, 120)); // no key

    auto drained = drainRing (*content);
    ASSERT_EQ (drained.size(), 3u);
    EXPECT_EQ (juce::String::toHexString (drained[0].getRawData(), drained[0].getRawDataSize()), "90 3c ff");
    EXPECT_EQ (juce::String::toHexString (drained[1].getRawData(), drained[1].getRawDataSize()), "80 3d 00");
    EXPECT_EQ (juce::String::toHexString (drained[2].getRawData(), drained[2].getRawDataSize()), "90 78 ff");

    EXPECT_TRUE (content->keyboardState.isNoteOn (1, 60));
    EXPECT_FALSE (content->keyboardState.isNoteOn (1, 40));
    EXPECT_EQ (content->downFound[32].load(), 1);
    EXPECT_EQ (content->downFound[33].load(), 1);

    content->calibrationFlags.downMode = 0;
    content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::programChange (5, 30));
    drained = drainRing (*content);
    ASSERT_EQ (drained.size(), 1u);
    EXPECT_EQ (juce::String::toHexString (drained[0].getRawData(), drained[0].getRawDataSize()), "90 1e ff");
}

TEST_F (IncomingRoad, ABurstKeepsTheNewest1024AndTheTickDrainsOnePerTickInOrder)
{
    for (int i = 0; i < 2000; ++i)
        content->handleIncomingMidiMessage (nullptr, juce::MidiMessage::controllerEvent (1, 21, i % 128));

    EXPECT_EQ (content->incomingMessages.size(), 1024u);

    tick();
    EXPECT_EQ (content->incomingMessages.size(), 1023u);

    tick (1023);
    auto lines = content->getInLines();
    ASSERT_EQ (lines.size(), 1024u);

    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ (lines[(size_t) i], "Controller  21 Ch.  1   " + juce::String ((976 + i) % 128));

    tick();
    EXPECT_EQ (content->getInLines().size(), 1024u);
}

TEST_F (IncomingRoad, AMidiThreadFeedingWhileTheTickDrainsLosesNothingThatFits)
{
    content->startTimer (1, 1);

    constexpr int total = 400; // 800 messages: fits the ring even if no tick runs
    std::thread midiThread (
        [this]
        {
            for (int i = 0; i < total; ++i)
            {
                content->handleIncomingMidiMessage (
                    nullptr, juce::MidiMessage::noteOn (1, 28 + i % 73, (juce::uint8) 64));
                content->handleIncomingMidiMessage (
                    nullptr, juce::MidiMessage::aftertouchChange (1, 28 + i % 73, i % 128));
                if (i % 50 == 0)
                    std::this_thread::sleep_for (std::chrono::milliseconds (1));
            }
        });

    testhelpers::pumpMessages (50);
    midiThread.join();

    content->stopTimer (1);
    tick ((int) content->incomingMessages.size());

    EXPECT_EQ (content->getInLines().size(), (size_t) (2 * total));
}

namespace
{
/** Remembers every input the component registers its callback for. */
class RegistrationSpy : public VirtualMidiDeviceLayer
{
public:
    void addMidiInputDeviceCallback (const juce::String& identifier,
                                     juce::MidiInputCallback* callback) override
    {
        registered.add (identifier);
        VirtualMidiDeviceLayer::addMidiInputDeviceCallback (identifier, callback);
    }

    juce::StringArray registered;
};
} // namespace

TEST (InputConnection, OpeningWithNoInputChosenRegistersForNothing)
{
    RegistrationSpy devices;
    devices.addInputDevice ("Some Keyboard", "keys-in");
    RecordingContent content (devices);
    content.stopTimer (1);

    // As the presence poll's loss branch and Refresh Ports do without an instrument: an empty
    // identifier would stand for every input at once.
    content.setMidiInput();

    EXPECT_TRUE (devices.registered.isEmpty());
    EXPECT_EQ (content.countInLines ("ERROR: SET MIDI INPUT FAILED"), 1);
    EXPECT_FALSE (content.isTimerRunning (2));
}
