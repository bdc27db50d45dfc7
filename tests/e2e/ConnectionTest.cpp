#include "app/JuceBox.h"
#include "app/MainContentComponent.h"
#include "app/MonitorWindow.h"
#include "protocol/Midi9Frame.h"
#include "protocol/MidiCi.h"
#include "protocol/MidiControllers.h"
#include "support/SimulatedInstrument.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using testhelpers::pumpMessages;
using testhelpers::pumpUntil;
using Bytes = SimulatedInstrument::Bytes;

namespace
{
const Bytes discoveryInquiry (ci_discovery_inquiry_msg, ci_discovery_inquiry_msg + 31);

Bytes query (u8 command)
{
    auto frame = midi9_query_frame (command);
    return Bytes (frame.begin(), frame.end());
}

Bytes reportRequest (std::uint16_t controller)
{
    const auto message = ump_tunnel_message (controller_report_request_packet (controller));
    return Bytes (message.getRawData(), message.getRawData() + message.getRawDataSize());
}

// The settings queries in the order they go out; the controller-report requests go among them.
const std::vector<u8> parameterQueries {
    M9_VELOCITY_SENSITIVITY, M9_AFTER_PRESSURE_GAIN,       M9_KEY_SPLIT,     M9_MIDDLE_C_REFERENCE,
    M9_MIDI_CHANNEL,         M9_AFTER_PRESSURE_RESOLUTION, M9_VELOCITY_CURVE
};
} // namespace

//==============================================================================
/** The real main window on virtual MIDI devices, with the simulated instrument beside it. */
class Connection : public ::testing::Test
{
protected:
    void TearDown() override
    {
        window.reset();
        pumpMessages (10);
    }

    void start()
    {
        window = std::make_unique<JuceBox::MainWindow> ("KorvelVn5MidiCS_Projucer", devices);
        content = dynamic_cast<MainContentComponent*> (window->getContentComponent());
        ASSERT_NE (content, nullptr);
    }

    /** Takes the presence poll out of the timer's hands, so the test says when it runs. */
    void holdPresencePoll() { content->stopTimer (3); }
    void poll() { content->timerCallback (3); }

    /** The lines of the two activity logs as the Monitor View shows them. */
    juce::StringArray outLog()
    {
        pumpMessages (5);
        return juce::StringArray::fromLines (
            content->monitorWindow->getMonitor()->midiOutActivityEditor.getText());
    }

    juce::StringArray inLog()
    {
        pumpMessages (5);
        return juce::StringArray::fromLines (
            content->monitorWindow->getMonitor()->midiInActivityEditor.getText());
    }

    static int count (const juce::StringArray& lines, const juce::String& line)
    {
        return (int) std::count (lines.begin(), lines.end(), line);
    }

    bool settingWidgetsEnabled (bool enabled)
    {
        auto& c = content->controls;
        for (juce::Component* widget :
             { (juce::Component*) &c.midiChannelBox, (juce::Component*) &c.midiResolutionBox,
               (juce::Component*) &c.ccTransmitBox, (juce::Component*) &c.transposeBox,
               (juce::Component*) &c.octaveBox, (juce::Component*) &c.sustainModeBox,
               (juce::Component*) &c.pressureModeBox, (juce::Component*) &c.velocitySlider,
               (juce::Component*) &c.pressureGainSlider, (juce::Component*) &c.keySplitSlider })
            if (widget->isEnabled() != enabled)
                return false;
        return c.midiInputBox.isEnabled() && c.midiOutputBox.isEnabled();
    }

    int received (const Bytes& bytes) { return instrument.countReceived (bytes); }

    VirtualMidiDeviceLayer devices;
    SimulatedInstrument instrument { devices };
    std::unique_ptr<JuceBox::MainWindow> window;
    MainContentComponent* content = nullptr;
};

TEST_F (Connection, StartUpChoosesTheInstrumentAndOpensItsInput100msLater)
{
    devices.addInputDevice ("Midi Through Port-0", "thru-in");
    devices.addOutputDevice ("Midi Through Port-0", "thru-out");
    instrument.plug();

    const auto started = juce::Time::getMillisecondCounterHiRes();
    start();

    EXPECT_EQ (content->instrumentInputFound, 1);
    EXPECT_EQ (content->instrumentOutputFound, 1);
    ASSERT_NE (content->midiOutput, nullptr);
    EXPECT_EQ (content->midiOutput->getIdentifier(), "korvel-vn5-out");
    EXPECT_EQ (content->controls.midiOutputBox.getSelectedItemIndex(), 1);
    EXPECT_EQ (content->controls.midiInputBox.getNumItems(), 2);
    EXPECT_TRUE (settingWidgetsEnabled (true));
    EXPECT_TRUE (content->setupMenuButton.isEnabled());

    // The output is open at once; the input only after its delay.
    EXPECT_FALSE (devices.isMidiInputDeviceEnabled ("korvel-vn5-in"));
    EXPECT_TRUE (content->isTimerRunning (2));
    EXPECT_EQ (received (query (M9_BOARD_SIZE)), 0);

    ASSERT_TRUE (pumpUntil ([&] { return received (query (M9_BOARD_SIZE)) == 1; }));
    EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - started, 95.0);

    EXPECT_TRUE (devices.isMidiInputDeviceEnabled ("korvel-vn5-in"));
    EXPECT_EQ (devices.getNumCallbacks ("korvel-vn5-in"), 1);
    EXPECT_FALSE (content->isTimerRunning (2));
    EXPECT_EQ (content->controls.midiInputBox.getSelectedItemIndex(), 1);
    EXPECT_TRUE (outLog().contains ("Get Board Size"));
    EXPECT_EQ (query (M9_BOARD_SIZE).size(), 11u);
}

TEST_F (Connection, InstrumentRepliesReachTheMonitorThroughTheTick)
{
    instrument.setBoardLayout (SimulatedInstrument::BoardLayout::twoBoards());
    instrument.plug();
    start();
    content->monitorFilter.sysex = 1;

    ASSERT_TRUE (pumpUntil ([&] { return inLog().contains ("Sysex 09 00 1f 1e 2b 00 00 03"); }));

    instrument.send (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    ASSERT_TRUE (pumpUntil ([&] { return inLog().contains ("Note on    Ch.  1    C3    100"); }));

    // The version lines come once, on the first tick.
    EXPECT_EQ (count (inLog(), "Version: 1.3.0-15"), 1);
    EXPECT_TRUE (inLog().contains ("configurator build date: 8 - 26 - 2025"));
}

TEST_F (Connection, DiscoveryInquiryGoesOutOnceAHundredTicksAfterEachScan)
{
    instrument.plug();
    start();
    holdPresencePoll();

    EXPECT_EQ (content->ciDiscoveryCountdown, 100);
    EXPECT_EQ (received (discoveryInquiry), 0);

    ASSERT_TRUE (pumpUntil ([&] { return received (discoveryInquiry) == 1; }));
    EXPECT_EQ (content->ciDiscoveryCountdown, 0);
    pumpMessages (300);
    EXPECT_EQ (received (discoveryInquiry), 1);

    content->getSelectedMidiPorts(); // as Refresh Ports does
    ASSERT_TRUE (pumpUntil ([&] { return received (discoveryInquiry) == 2; }));
    pumpMessages (300);
    EXPECT_EQ (received (discoveryInquiry), 2);
}

TEST_F (Connection, AScanWithoutTheInstrumentLeavesARunningCountdownAlone)
{
    instrument.plug();
    start();
    holdPresencePoll();
    content->stopTimer (1);
    content->mainTick();
    ASSERT_EQ (content->ciDiscoveryCountdown, 99);

    instrument.unplug();
    content->getSelectedMidiPorts();
    EXPECT_EQ (content->ciDiscoveryCountdown, 99);
}

TEST_F (Connection, ParametersAreRequestedTwiceOnePollApartAfterAnArrival)
{
    instrument.plug();
    start();
    holdPresencePoll();
    ASSERT_TRUE (pumpUntil ([&] { return received (query (M9_BOARD_SIZE)) == 1; }));
    EXPECT_EQ (received (query (M9_VELOCITY_SENSITIVITY)), 0);

    poll(); // arrival
    ASSERT_TRUE (instrument.waitUntilIdle());
    for (auto command : parameterQueries)
        EXPECT_EQ (received (query (command)), 1) << (int) command;

    // In the order the panel asks for them, back to back.
    const std::vector<Bytes> inOrder { query (M9_VELOCITY_SENSITIVITY),
                                       query (M9_AFTER_PRESSURE_GAIN),
                                       query (M9_KEY_SPLIT),
                                       query (M9_MIDDLE_C_REFERENCE),
                                       query (M9_MIDI_CHANNEL),
                                       query (M9_AFTER_PRESSURE_RESOLUTION),
                                       reportRequest (NRPN_SHARP_OFFSET),
                                       reportRequest (NRPN_PRESSURE_RESOLUTION),
                                       query (M9_VELOCITY_CURVE),
                                       reportRequest (NRPN_SUSTAIN_MODE) };
    auto all = instrument.getReceivedBytes();
    auto first = std::find (all.begin(), all.end(), inOrder.front());
    ASSERT_LE (first + (long) inOrder.size(), all.end());
    for (size_t i = 0; i < inOrder.size(); ++i)
        ASSERT_EQ (*(first + (long) i), inOrder[i]) << i;

    poll(); // one poll later
    ASSERT_TRUE (instrument.waitUntilIdle());
    for (auto command : parameterQueries)
        EXPECT_EQ (received (query (command)), 2) << (int) command;

    poll(); // and no more
    ASSERT_TRUE (instrument.waitUntilIdle());
    EXPECT_EQ (received (query (M9_VELOCITY_SENSITIVITY)), 2);

    EXPECT_EQ (count (outLog(), "Querying Parameters..."), 2);

    // The arrival scan reopens the input and asks for the board size again.
    ASSERT_TRUE (pumpUntil ([&] { return received (query (M9_BOARD_SIZE)) == 2; }));
}

TEST_F (Connection, UnplugRunsTheLossBranchAndReplugReArmsEverything)
{
    instrument.plug();
    start();
    holdPresencePoll();
    poll(); // arrival before the input opened: the input switch starts over, one query in all
    ASSERT_TRUE (pumpUntil ([&] { return received (query (M9_BOARD_SIZE)) == 1; }));

    content->setupMenuButton.triggerClick();
    pumpMessages (20);
    ASSERT_TRUE (content->setup.isVisible());
    ASSERT_FALSE (content->controls.isVisible());

    instrument.unplug();
    poll();

    EXPECT_TRUE (content->controls.isVisible());
    EXPECT_FALSE (content->setup.isVisible());
    EXPECT_TRUE (content->controlsMenuButton.getToggleState());
    EXPECT_FALSE (content->setupMenuButton.getToggleState());
    EXPECT_FALSE (content->setupMenuButton.isEnabled());
    EXPECT_TRUE (settingWidgetsEnabled (false));
    EXPECT_EQ (content->instrumentInputFound, 0);
    EXPECT_TRUE (outLog().contains ("Attach valid USB MIDI Device."));
    EXPECT_TRUE (inLog().contains ("ERROR: SET MIDI INPUT FAILED"));

    instrument.clearReceived();
    instrument.plug();
    poll();

    EXPECT_EQ (content->instrumentInputFound, 1);
    EXPECT_EQ (content->instrumentOutputFound, 1);
    EXPECT_EQ (content->ciDiscoveryCountdown, 100);
    EXPECT_TRUE (settingWidgetsEnabled (true));
    EXPECT_TRUE (content->setupMenuButton.isEnabled());

    ASSERT_TRUE (pumpUntil (
        [&] { return received (query (M9_BOARD_SIZE)) == 1 && received (discoveryInquiry) == 1; }));
    EXPECT_EQ (received (query (M9_VELOCITY_SENSITIVITY)), 1);
    EXPECT_EQ (devices.getNumCallbacks ("korvel-vn5-in"), 1);

    // The input really is open again: what the instrument plays shows up.
    instrument.send (juce::MidiMessage::noteOn (1, 62, (juce::uint8) 7));
    EXPECT_TRUE (pumpUntil ([&] { return inLog().contains ("Note on    Ch.  1    D3    7"); }));
}

TEST_F (Connection, WithoutAnyDeviceTheControlsWaitForOne)
{
    start();

    EXPECT_TRUE (settingWidgetsEnabled (false));
    EXPECT_FALSE (content->setupMenuButton.isEnabled());
    EXPECT_TRUE (outLog().contains ("Attach valid USB MIDI Device."));
    EXPECT_EQ (content->midiOutput, nullptr);
    EXPECT_EQ (content->ciDiscoveryCountdown, 0);

    EXPECT_TRUE (content->isTimerRunning (1));
    EXPECT_TRUE (content->isTimerRunning (3));
    EXPECT_TRUE (content->isTimerRunning (4));
    EXPECT_TRUE (pumpUntil ([&] { return !content->isTimerRunning (4); }, 3000));
    EXPECT_TRUE (content->isTimerRunning (1));
    EXPECT_TRUE (content->isTimerRunning (3));
    EXPECT_TRUE (inLog().contains ("Version: 1.3.0-15"));
}

TEST_F (Connection, OnlyAnInputNamedLikeTheInstrumentStillOpensIt)
{
    devices.addInputDevice ("Korvel VN5 MIDI", "lonely-in");
    devices.addOutputDevice ("Some Synth", "synth-out");
    start();
    holdPresencePoll();

    EXPECT_TRUE (settingWidgetsEnabled (false));
    EXPECT_TRUE (outLog().contains ("Attach valid USB MIDI Device."));
    EXPECT_EQ (content->midiOutput, nullptr); // no output was chosen, so none is open

    ASSERT_TRUE (pumpUntil ([&] { return devices.isMidiInputDeviceEnabled ("lonely-in"); }));
    pumpMessages (50);
    EXPECT_FALSE (outLog().contains ("Get Board Size"));
}

TEST_F (Connection, MalformedTrafficNeverStopsTheTick)
{
    instrument.plug();
    start();
    holdPresencePoll();
    content->monitorFilter.sysex = 1;
    ASSERT_TRUE (pumpUntil ([&] { return devices.getNumCallbacks ("korvel-vn5-in") == 1; }));

    for (const Bytes& bad : std::vector<Bytes> { { 0xf0, 0xf7 },
                                                 { 0xf0 },
                                                 { 0xf0, 0x09, 0x00, 0xf7 },
                                                 { 0xf0, 0x09, 0x00, 0x2e },
                                                 { 0xf0, 0x09, 0x00, 0x1f, 0x49, 0xf7 },
                                                 { 0xf0, 0x09, 0x21, 0xf7 },
                                                 { 0xf0, 0x7e, 0x7f, 0x0d, 0xf7 },
                                                 { 0xf0, 0x7e, 0xf7 },
                                                 { 0x90, 0x3c, 0x40, 0x00 },
                                                 { 0x3c, 0x40, 0x3c, 0x40 },
                                                 { 0xe0, 0x00, 0x40, 0x7f, 0x7f } })
        instrument.send (bad);

    instrument.send (juce::MidiMessage::noteOn (2, 64, (juce::uint8) 33));
    EXPECT_TRUE (pumpUntil ([&] { return inLog().contains ("Note on    Ch.  2    E3    33"); }));
    EXPECT_TRUE (content->isTimerRunning (1));
}
