#include "app/ToolWindow.h"
#include "protocol/MidiControllers.h"
#include "support/InstrumentFixture.h"
#include "support/Snapshot.h"
#include "tools/KeyCalibration.h"
#include "tools/KeyboardSetup.h"
#include "tools/SustainCalibration.h"

namespace
{
using Bytes = SimulatedInstrument::Bytes;
using KeyMode = SimulatedInstrument::KeyMode;

Bytes tunnel (u32 word0, u32 word1)
{
    _ump_message_struct packet;
    packet.word[0] = word0;
    packet.word[1] = word1;
    const auto m = ump_tunnel_message (packet);
    return { m.getRawData(), m.getRawData() + m.getRawDataSize() };
}

/** True when `wanted` appears in `all` in this order, other items around and between. */
template <typename T>
bool inOrder (const std::vector<T>& all, const std::vector<T>& wanted)
{
    auto next = all.begin();

    for (auto& item : wanted)
    {
        next = std::find (next, all.end(), item);
        if (next++ == all.end())
            return false;
    }

    return true;
}

const Bytes restUpdate { 0xf0, 0x09, 0x00, 0x0a, 0xf7 };
const Bytes downUpdate { 0xf0, 0x09, 0x00, 0x0a, 0x0c, 0xf7 };
const Bytes fixedMode { 0xf0, 0x09, 0x00, 0x0a, 0x0a, 0xf7 };
const Bytes gainRestore { 0xf0, 0x09, 0x00, 0x15, 0x01, 50, 50, 50, 50, 0xf7 };
const auto allPositionsMode = tunnel (0x4030F942, 0x0C000000);
const auto downPositionsMode = tunnel (0x4030F942, 0x08000000);

//==============================================================================
/** The instrument with gain 50 and split 60, both known to the program. */
class Calibration : public InstrumentFixture
{
protected:
    void SetUp() override
    {
        start();
        sendToInstrument (midi9_set_frame (M9_KEY_SPLIT, 60));
        sendToInstrument (midi9_query_frame (M9_AFTER_PRESSURE_GAIN));
        settle();
        ASSERT_EQ (content->afterPressureGain, 50);
        forget();
    }

    void forget()
    {
        settle();
        instrument.clearReceived();
        content->clearLines();
    }

    std::vector<Bytes> sent()
    {
        settle();
        return instrument.getReceivedBytes();
    }

    void openKeyCalibration() { KeyCalibrationWindow::open (*content, content->setup); }

    KeyCalibration& panel()
    {
        auto* found = find<KeyCalibration> ({});
        jassert (found != nullptr);
        return *found;
    }

    juce::String text() { return panel().textArea.getText(); }

    void snapshot (juce::Component& component, const juce::String& name)
    {
        testhelpers::writeSnapshot (*component.getTopLevelComponent(), name);
    }

    void snapshotKeyboard (const juce::String& name)
    {
        testhelpers::writeSnapshot (content->keyboardComponent, name);
    }

    int restsFound() { return kNumKeys - KeyCalibration::countMissingRests (content->restFound); }

    /** Starts the rest wait and takes its ticks over from the panel's timer. */
    void startHeldRestWait()
    {
        auto& p = panel();
        p.startButton.triggerClick();
        ASSERT_TRUE (testhelpers::pumpUntil ([&] { return p.view == 1; }));
        p.stopTimer (1);
    }

    void restWaitTicks (int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            panel().timerCallback (1);
    }
};

TEST_F (Calibration, FullKeyboardCalibratesAll73Keys)
{
    content->restFound.fill (1);
    openKeyCalibration();
    EXPECT_EQ (restsFound(), 0);
    EXPECT_EQ (content->monitorFilter.noteOn, 0);
    snapshot (panel(), "keyCalibration_start");

    click ("keyCalStart");
    EXPECT_TRUE (inOrder (sent(), { allPositionsMode, restUpdate }));
    EXPECT_EQ (instrument.getKeyMode(), KeyMode::findingRests);
    EXPECT_TRUE (
        inOrder<juce::String> (content->getOutLines(), { "Entering Diagnostic Mode: ALL POSITION FINDS",
                                                         "Key Calibration: Updating all rests..." }));
    snapshot (panel(), "keyCalibration_updatingRests");

    instrument.reportRests (kNumKeys);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return panel().nextButton.isEnabled(); }));
    EXPECT_EQ (text(),
               "ALL 73 REST POSITIONS CALIBRATED\n\nPress NEXT to continue to calibrate all DOWN Positions.");
    snapshotKeyboard ("keyboard_allRests");

    // A key left pressed by an earlier calibration counts for nothing now.
    content->downFound.back().store (1);
    forget();
    click ("keyCalNext");
    EXPECT_EQ (sent(), std::vector<Bytes> { downUpdate });
    EXPECT_EQ (content->getOutLines(),
               std::vector<juce::String> { "Key Calibration: Updating all down positions..." });
    instrument.reportDowns (kLowestKeyNote, kNumKeys - 1);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return content->downFound[kNumKeys - 2].load() == 1; }));
    panel().timerCallback (2);
    EXPECT_EQ (panel().view, 3);
    snapshot (panel(), "keyCalibration_downPositions");
    snapshotKeyboard ("keyboard_downPositions");

    instrument.reportDowns (kHighestKeyNote, 1);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return panel().view == 4; }));
    EXPECT_EQ (text(), "KEYBOARD CALIBRATION COMPLETE!\n\n73/73 Keys have been calibrated.\n\nYou may now "
                       "close this window.");
    EXPECT_EQ (restsFound(), 0);
    EXPECT_TRUE (std::all_of (content->downFound.begin(), content->downFound.end(),
                              [] (auto& found) { return found.load() == 0; }));
    snapshot (panel(), "keyCalibration_complete");

    forget();
    click ("keyCalClose");
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);
    EXPECT_TRUE (content->isTimerRunning (5));
    const auto closing = sent();
    ASSERT_GE (closing.size(), 2u);
    EXPECT_EQ (closing[0], fixedMode);
    EXPECT_EQ (closing[1], gainRestore);
    EXPECT_EQ (content->getOutLines().front(), "Entering Fixed Mode.");
    EXPECT_EQ (instrument.getKeyMode(), KeyMode::playing);
    EXPECT_TRUE (testhelpers::pumpUntil ([&] { return content->monitorFilter.noteOn == 1; }));
    EXPECT_EQ (content->calibrationFlags.active.load(), 0);
}

TEST_F (Calibration, RestWaitTimesOutWith70Of73AndEveryWindowWaitsItsWholeTime)
{
    openKeyCalibration();
    startHeldRestWait();
    restWaitTicks (30);
    click ("keyCalClose");

    // A second window at once: the first one's end of calibration must not end this one.
    openKeyCalibration();
    EXPECT_FALSE (content->isTimerRunning (5));
    startHeldRestWait();
    instrument.reportRests (70);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return restsFound() == 70; }));

    restWaitTicks (45);
    EXPECT_EQ (panel().view, 1);
    EXPECT_EQ (content->calibrationFlags.active.load(), 1);
    snapshotKeyboard ("keyboard_restsFound");

    for (int i = 0; i < 10 && panel().view == 1; ++i)
        restWaitTicks (1);

    EXPECT_EQ (text(),
               "KEYBOARD CALIBRATION RESULTS:\n\n70/73 Rests found\n\nSee Keyboard for failed rests.");
    EXPECT_FALSE (panel().nextButton.isVisible());
    EXPECT_EQ (content->calibrationFlags.active.load(), 0);
    snapshot (panel(), "keyCalibration_results");
    snapshotKeyboard ("keyboard_failedRests");
    click ("keyCalClose");
}

TEST_F (Calibration, SingleNoteCalibrationAndCloseWithoutStart)
{
    // Nothing started: the split stays and only the way back to playing is sent.
    openKeyCalibration();
    click ("keyCalClose");
    EXPECT_EQ (sent(), (std::vector<Bytes> { fixedMode, gainRestore }));
    EXPECT_TRUE (testhelpers::pumpUntil ([&] { return content->monitorFilter.noteOn == 1; }));

    openKeyCalibration();
    forget();
    click ("keyCalStartSingle");
    EXPECT_TRUE (inOrder (sent(), { downPositionsMode, downUpdate }));
    EXPECT_EQ (content->countOutLines ("Entering Diagnostic Mode: DOWN POSITION FINDS"), 1);
    snapshot (panel(), "keyCalibration_singleNote");

    forget();
    instrument.reportSingleNote (60, 0x452);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return panel().nextButton.isEnabled(); }));
    EXPECT_EQ (text(), "Press a down a single note all the way\nuntil the key turns GREEN.\n\n"
                       "The following note has been calibrated:\n\nC3, with a value of 1106");
    EXPECT_EQ (sent(), std::vector<Bytes> { fixedMode });
    EXPECT_EQ (content->getOutLines(), std::vector<juce::String> { "Entering Fixed Mode." });
    EXPECT_EQ (content->downFound[60 - kLowestKeyNote].load(), 1);
    EXPECT_TRUE (content->keyboardState.isNoteOn (1, 60));
    snapshot (panel(), "keyCalibration_singleNoteResult");
    snapshotKeyboard ("keyboard_singleNote");

    forget();
    click ("keyCalNext");
    EXPECT_EQ (sent(), (std::vector<Bytes> { downPositionsMode, downUpdate }));
    EXPECT_FALSE (content->keyboardState.isNoteOn (1, 60));
    EXPECT_FALSE (panel().nextButton.isEnabled());
    click ("keyCalClose");
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);
}

TEST_F (Calibration, InstrumentUnpluggedDuringKeyCalibration)
{
    content->timerCallback (3);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return devices.getNumCallbacks ("korvel-vn5-in") == 1; }));
    settle();
    openKeyCalibration();
    click ("keyCalStart");
    instrument.reportRests (40);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return restsFound() == 40; }));

    instrument.unplug();
    content->timerCallback (3);
    EXPECT_TRUE (testhelpers::pumpUntil (
        [&] { return content->countOutLines ("Attach valid USB MIDI Device.") == 1; }));
    click ("keyCalClose");
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);

    instrument.plug();
    content->timerCallback (3);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return devices.getNumCallbacks ("korvel-vn5-in") == 1; }));
    openKeyCalibration();
    click ("keyCalStart");
    settle();
    instrument.reportRests (kNumKeys);
    EXPECT_TRUE (testhelpers::pumpUntil ([&] { return panel().nextButton.isEnabled(); }));
    click ("keyCalClose");
}

TEST_F (Calibration, SustainPedalCalibration)
{
    SustainCalibrationWindow::open (*content, content->setup);
    auto* bar = &find<SustainCalibration> ({})->pedalBar;
    instrument.movePedal (90);
    EXPECT_TRUE (testhelpers::pumpUntil ([&] { return bar->getValue() == 90.0; }));
    snapshot (*bar, "sustainCalibration_start");

    click ("sustainStart");
    EXPECT_EQ (sent(), (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x23, 0x40, 0x0a, 0xf7 } }));
    EXPECT_EQ (content->getOutLines(), std::vector<juce::String> { "Starting Sustain Calibration..." });
    EXPECT_TRUE (find<juce::Button> ("sustainSave")->isVisible());
    snapshot (*bar, "sustainCalibration_calibrating");

    forget();
    click ("sustainSave");
    EXPECT_EQ (sent(), (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x23, 0x40, 0x02, 0xf7 } }));
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);

    SustainCalibrationWindow::open (*content, content->setup);
    forget();
    click ("sustainCancel");
    EXPECT_TRUE (sent().empty());
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);
}

TEST_F (Calibration, KeyboardSetupLimitsSendsAndLogs)
{
    KeyboardSetupWindow::open (*content, content->setup);
    auto& setup = *find<KeyboardSetup> ({});
    snapshot (setup, "keyboardSetup");

    const auto on10 = tunnel (0x40204145, 429490176);
    const struct
    {
        size_t slider;
        double value;
        std::vector<Bytes> frames;
        std::vector<juce::String> lines;
    } rows[] = {
        { 0, 5, {}, { "Polyphone Min:5" } },
        { 4,
          -16,
          { { 0xf0, 0x09, 0x00, 0x11, 0x01, 0x57, 0x57, 0x57, 0x57, 0xf7 } },
          { "New Velocity On Sensitivity:87" } },
        { 5, -46, { tunnel (0x4030F905, 1u << 25) }, { "Sharp Adjust:33554432" } },
        { 6, 16, { tunnel (0x40204143, 0xFE666600) }, { "Hard Level:4268123648" } },
        { 9, 32, { tunnel (0x4020412F, 32u << 25) }, { "Step Number:32" } },
        { 10, 5, { on10, on10 }, { "Note On Pos:5%", "Note On Pos:10%" } },
    };

    for (auto& row : rows)
    {
        forget();
        setup.sliders[row.slider].setValue (row.value, juce::sendNotificationSync);
        EXPECT_EQ (sent(), row.frames) << row.slider;
        EXPECT_EQ (content->getOutLines(), row.lines) << row.slider;
    }

    forget();
    click ("keySetupDefault");
    EXPECT_EQ (content->countOutLines ("New Velocity On Sensitivity:103"), 1);
    click ("keySetupSave");
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);
}
} // namespace
