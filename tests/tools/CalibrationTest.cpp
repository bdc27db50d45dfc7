#include "app/ToolWindow.h"
#include "protocol/MidiCi.h"
#include "support/InstrumentFixture.h"
#include "support/Snapshot.h"
#include "tools/KeyCalibration.h"
#include "tools/KeyboardSetup.h"
#include "tools/SustainCalibration.h"

namespace
{
using Bytes = SimulatedInstrument::Bytes;
using Lines = std::vector<juce::String>;

Bytes tunnel (u32 word0, u32 word1)
{
    const auto m = ump_tunnel_message ({ { word0, word1 } });
    return { m.getRawData(), m.getRawData() + m.getRawDataSize() };
}

/** True when `run` appears in `all`, one item right after the other. */
template <typename T>
bool containsRun (const std::vector<T>& all, const std::vector<T>& run)
{
    return std::search (all.begin(), all.end(), run.begin(), run.end()) != all.end();
}

const Bytes restUpdate { 0xf0, 0x09, 0x00, 0x0a, 0xf7 };
const Bytes downUpdate { 0xf0, 0x09, 0x00, 0x0a, 0x0c, 0xf7 };
const Bytes fixedMode { 0xf0, 0x09, 0x00, 0x0a, 0x0a, 0xf7 };
const Bytes gainRestore { 0xf0, 0x09, 0x00, 0x15, 0x01, 50, 50, 50, 50, 0xf7 };
const Bytes splitOff { 0xf0, 0x09, 0x00, 0x2c, 0x01, 0, 0, 0, 0, 0xf7 };
const Bytes split60 { 0xf0, 0x09, 0x00, 0x2c, 0x00, 60, 60, 60, 60, 0xf7 };
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
        ASSERT_TRUE (
            testhelpers::pumpUntil ([this] { return instrumentGotCi (CIM_SET_NEW_SELECTED_PROTOCOL); }));
        sendToInstrument (midi9_set_frame (M9_KEY_SPLIT, 60));
        sendToInstrument (midi9_query_frame (M9_AFTER_PRESSURE_GAIN));
        forget();
        ASSERT_EQ (content->afterPressureGain, 50);
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

    KeyCalibration& panel() { return *find<KeyCalibration> ({}); }
    juce::String text() { return panel().textArea.getText(); }
    int restsFound() { return kNumKeys - KeyCalibration::countMissingRests (content->restFound); }

    /** Writes the window around the component, or the on-screen keyboard. */
    void snapshot (const juce::String& name, juce::Component* inWindow = nullptr)
    {
        testhelpers::writeSnapshot (
            inWindow != nullptr ? *inWindow->getTopLevelComponent() : content->keyboardComponent, name);
    }

    /** Starts the rest wait; the test then ticks it itself. */
    void startHeldRestWait()
    {
        panel().startButton.triggerClick();
        ASSERT_TRUE (testhelpers::pumpUntil ([&] { return panel().view == 1; }));
        panel().stopTimer (1);
    }

    void restWaitTicks (int ticks)
    {
        for (int i = 0; i < ticks && panel().view == 1; ++i)
            panel().timerCallback (1);
    }
};

TEST_F (Calibration, FullKeyboardCalibratesAll73Keys)
{
    content->restFound.fill (1);
    click ("keyCalib");
    EXPECT_EQ (restsFound(), 0);
    EXPECT_EQ (content->monitorFilter.noteOn, 0);
    snapshot ("keyCalibration_start", &panel());

    click ("keyCalStart");
    EXPECT_TRUE (containsRun (sent(), { splitOff, allPositionsMode, restUpdate }));
    EXPECT_TRUE (
        containsRun<juce::String> (content->getOutLines(), { "Entering Diagnostic Mode: ALL POSITION FINDS",
                                                             "Key Calibration: Updating all rests..." }));
    snapshot ("keyCalibration_updatingRests", &panel());

    instrument.reportRests (kNumKeys);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return panel().nextButton.isEnabled(); }));
    EXPECT_EQ (text(),
               "ALL 73 REST POSITIONS CALIBRATED\n\nPress NEXT to continue to calibrate all DOWN Positions.");
    snapshot ("keyboard_allRests");

    // A key left pressed by an earlier calibration counts for nothing now.
    content->downFound.back().store (1);
    forget();
    click ("keyCalNext");
    EXPECT_EQ (sent(), std::vector<Bytes> { downUpdate });
    EXPECT_EQ (content->getOutLines(), Lines { "Key Calibration: Updating all down positions..." });
    instrument.reportDowns (kLowestKeyNote, kNumKeys - 1);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return content->downFound[kNumKeys - 2].load() == 1; }));
    panel().timerCallback (2);
    EXPECT_EQ (panel().view, 3);
    snapshot ("keyCalibration_downPositions", &panel());
    snapshot ("keyboard_downPositions");

    instrument.reportDowns (kHighestKeyNote, 1);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return panel().view == 4; }));
    EXPECT_EQ (text(), "KEYBOARD CALIBRATION COMPLETE!\n\n73/73 Keys have been calibrated.\n\n"
                       "You may now close this window.");
    EXPECT_EQ (restsFound(), 0);
    EXPECT_TRUE (std::all_of (content->downFound.begin(), content->downFound.end(),
                              [] (auto& found) { return found.load() == 0; }));
    snapshot ("keyCalibration_complete", &panel());

    forget();
    click ("keyCalClose");
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);
    EXPECT_EQ (sent(), (std::vector<Bytes> { fixedMode, gainRestore, split60 }));
    EXPECT_EQ (content->keySplitNote, 60);
    EXPECT_EQ (content->getOutLines().front(), "Entering Fixed Mode.");
    EXPECT_TRUE (testhelpers::pumpUntil ([&] { return content->monitorFilter.noteOn == 1; }));
}

TEST_F (Calibration, RestWaitTimesOutWith70Of73AndEveryWindowWaitsItsWholeTime)
{
    click ("keyCalib");
    startHeldRestWait();
    restWaitTicks (30);
    click ("keyCalClose");

    // A second window at once: the end of the first calibration must not end this one.
    click ("keyCalib");
    EXPECT_FALSE (content->isTimerRunning (5));
    startHeldRestWait();
    instrument.reportRests (70);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return restsFound() == 70; }));

    restWaitTicks (45);
    EXPECT_EQ (panel().view, 1);
    EXPECT_EQ (content->calibrationFlags.active.load(), 1);
    snapshot ("keyboard_restsFound");

    restWaitTicks (10);
    EXPECT_EQ (text(),
               "KEYBOARD CALIBRATION RESULTS:\n\n70/73 Rests found\n\nSee Keyboard for failed rests.");
    EXPECT_FALSE (panel().nextButton.isVisible());
    EXPECT_EQ (content->calibrationFlags.active.load(), 0);
    snapshot ("keyCalibration_results", &panel());
    snapshot ("keyboard_failedRests");
    click ("keyCalClose");
}

TEST_F (Calibration, SingleNoteCalibrationAndCloseWithoutStart)
{
    // Nothing started: the split stays, and only the way back to playing is sent.
    const auto split = content->controls.keySplitSlider.getValue();
    click ("keyCalib");
    click ("keyCalClose");
    EXPECT_EQ (sent(), (std::vector<Bytes> { fixedMode, gainRestore }));
    EXPECT_EQ (content->controls.keySplitSlider.getValue(), split);
    EXPECT_TRUE (testhelpers::pumpUntil ([&] { return content->monitorFilter.noteOn == 1; }));

    click ("keyCalib");
    forget();
    click ("keyCalStartSingle");
    EXPECT_TRUE (containsRun (sent(), { splitOff, downPositionsMode, downUpdate }));
    EXPECT_EQ (content->countOutLines ("Entering Diagnostic Mode: DOWN POSITION FINDS"), 1);
    snapshot ("keyCalibration_singleNote", &panel());

    forget();
    instrument.reportSingleNote (60, 0x452);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return panel().nextButton.isEnabled(); }));
    EXPECT_EQ (text(), "Press a down a single note all the way\nuntil the key turns GREEN.\n\n"
                       "The following note has been calibrated:\n\nC3, with a value of 1106");
    EXPECT_EQ (sent(), std::vector<Bytes> { fixedMode });
    EXPECT_EQ (content->getOutLines(), Lines { "Entering Fixed Mode." });
    EXPECT_TRUE (content->keyboardState.isNoteOn (1, 60));
    snapshot ("keyCalibration_singleNoteResult", &panel());
    snapshot ("keyboard_singleNote");

    forget();
    click ("keyCalNext");
    EXPECT_EQ (sent(), (std::vector<Bytes> { downPositionsMode, downUpdate }));
    EXPECT_FALSE (content->keyboardState.isNoteOn (1, 60));
    click ("keyCalClose");
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);
}

TEST_F (Calibration, ClosedFromOutsideAfterStartItGoesBackToPlaying)
{
    for (const auto way : { altF4, windowManager })
    {
        click ("keyCalib");
        click ("keyCalStart");
        forget();
        closeFromOutside (&panel(), way);
        EXPECT_EQ (sent(), (std::vector<Bytes> { fixedMode, gainRestore, split60 }));
        EXPECT_EQ (content->countOutLines ("Entering Fixed Mode."), 1);
        EXPECT_TRUE (testhelpers::pumpUntil ([&] { return content->monitorFilter.noteOn == 1; }));
    }
}

TEST_F (Calibration, InstrumentUnpluggedDuringKeyCalibration)
{
    auto reconnected = [this]
    {
        pollPresence();
        return testhelpers::pumpUntil ([&] { return devices.getNumCallbacks ("korvel-vn5-in") == 1; });
    };

    ASSERT_TRUE (reconnected());
    click ("keyCalib");
    click ("keyCalStart");
    instrument.reportRests (40);
    ASSERT_TRUE (testhelpers::pumpUntil ([&] { return restsFound() == 40; }));

    instrument.unplug();
    pollPresence();
    EXPECT_TRUE (testhelpers::pumpUntil (
        [&] { return content->countOutLines ("Attach valid USB MIDI Device.") == 1; }));
    click ("keyCalClose");
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);

    instrument.plug();
    ASSERT_TRUE (reconnected());
    click ("keyCalib");
    click ("keyCalStart");
    settle();
    instrument.reportRests (kNumKeys);
    EXPECT_TRUE (testhelpers::pumpUntil ([&] { return panel().nextButton.isEnabled(); }));
}

TEST_F (Calibration, SustainPedalCalibration)
{
    click ("sustCalib");
    auto* bar = &find<SustainCalibration> ({})->pedalBar;
    instrument.movePedal (90);
    EXPECT_TRUE (testhelpers::pumpUntil ([&] { return bar->getValue() == 90.0; }));
    snapshot ("sustainCalibration_start", bar);

    click ("sustainStart");
    EXPECT_EQ (sent(), (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x23, 0x40, 0x0a, 0xf7 } }));
    EXPECT_EQ (content->getOutLines(), Lines { "Starting Sustain Calibration..." });
    snapshot ("sustainCalibration_calibrating", bar);

    forget();
    click ("sustainSave");
    EXPECT_EQ (sent(), (std::vector<Bytes> { { 0xf0, 0x09, 0x00, 0x23, 0x40, 0x02, 0xf7 } }));
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);

    click ("sustCalib");
    forget();
    click ("sustainCancel");
    EXPECT_TRUE (sent().empty());
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);
}

TEST_F (Calibration, KeyboardSetupLimitsSendsAndLogs)
{
    content->setup.showKeyboardSetupWindow(); // its entry is hidden
    auto& setup = *find<KeyboardSetup> ({});
    EXPECT_FALSE (content->setup.keySetupButton.isEnabled());
    snapshot ("keyboardSetup", &setup);

    const auto onPos10 = tunnel (0x40204145, 429490176);
    const Bytes sensitivity87 { 0xf0, 0x09, 0x00, 0x11, 0x01, 87, 87, 87, 87, 0xf7 };
    const std::vector<std::tuple<size_t, double, std::vector<Bytes>, Lines>> rows {
        { 0, 5, {}, { "Polyphone Min:5" } },
        { 4, -16, { sensitivity87 }, { "New Velocity On Sensitivity:87" } },
        { 5, -46, { tunnel (0x4030F905, 1u << 25) }, { "Sharp Adjust:33554432" } },
        { 6, 16, { tunnel (0x40204143, 0xFE666600) }, { "Hard Level:4268123648" } },
        { 9, 32, { tunnel (0x4020412F, 32u << 25) }, { "Step Number:32" } },
        { 10, 5, { onPos10, onPos10 }, { "Note On Pos:5%", "Note On Pos:10%" } },
    };

    for (auto& [slider, value, frames, lines] : rows)
    {
        forget();
        setup.sliders[slider].setValue (value, juce::sendNotificationSync);
        EXPECT_EQ (sent(), frames) << slider;
        EXPECT_EQ (content->getOutLines(), lines) << slider;
    }

    forget();
    click ("keySetupDefault");
    EXPECT_EQ (content->countOutLines ("New Velocity On Sensitivity:103"), 1);
    click ("keySetupSave");
    EXPECT_EQ (ToolWindow::getNumOpen(), 0);
    EXPECT_TRUE (content->setup.keySetupButton.isEnabled());
}
} // namespace
