#include "support/InstrumentFixture.h"
#include "support/Snapshot.h"

#include "panels/AdvancedParameterCtrl.h"
#include "protocol/MidiControllers.h"

namespace
{
class AdvancedParameters : public InstrumentFixture
{
protected:
    /** Opens the view as a "+" button does, drags the sliders one after the other (no message
        loop runs in between, so the follow timer cannot undo one) and clicks Default; expects
        these frames on the instrument's side and these OUT lines. Then the first slider follows
        the instrument's report, and OK ends the window and its modal state. */
    void run (int view, const juce::String& title, std::vector<std::pair<const char*, double>> moves,
              juce::StringArray expected, double reported)
    {
        AdvancedParameterCtrlWindow::open (*content, &content->controls, view);
        instrument.clearReceived();

        for (auto& [name, value] : moves)
            slider (name).setValue (value, juce::sendNotificationSync);

        click ("defaultButton");
        settle();

        juce::StringArray
            got; // MIDI-CI runs meanwhile: only the instrument's own frames and this window's lines
        for (auto& m : instrument.getReceivedBytes())
            if (m[1] == 0x09)
                got.add (juce::String::toHexString (m.data(), (int) m.size()));
        for (auto& line : content->getOutLines())
            if (line.startsWith ("Velocity") || line.startsWith ("After"))
                got.add (line);
        EXPECT_EQ (got, expected);

        auto& window = *slider (moves[0].first).getTopLevelComponent();
        EXPECT_EQ (window.getName(), title);
        EXPECT_TRUE (testhelpers::pumpUntil ([&] { return slider (moves[0].first).getValue() == reported; }));
        testhelpers::writeSnapshot (window, "AdvancedParameters-" + title.removeCharacters (" "));
        EXPECT_EQ (window.getComponentAt (5, 5), &window); // the background drags the window

        click ("okButton");
        EXPECT_EQ (ToolWindow::getNumOpen(), 0);
        EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    }

    juce::Slider& slider (const char* name) { return *find<juce::Slider> (name); }
};

TEST_F (AdvancedParameters, VelocityCurveView)
{
    start();
    run (0, "Velocity Curve", { { "velocityCurveSlider", 3 } },
         { "f0 09 00 1d 01 03 03 03 03 f7", "f0 09 00 1d 01 0c 0c 0c 0c f7", // Default 12
           "Velocity Curve: 3", "Velocity Curve: 12" },
         12); // the instrument's echo
}

TEST_F (AdvancedParameters, AfterPressureView)
{
    start();
    controller_report_request (NRPN_PRESSURE_RESOLUTION);
    ASSERT_TRUE (testhelpers::pumpUntil ([this] { return content->pressureResolution == 7; }));

    run (1, "After Pressure Parameters",
         { { "pressureResolutionSlider", 12 },
           { "blackKeyOffsetSlider", -3 },
           { "blackKeyOffsetSlider", 0 },
           { "blackKeyOffsetSlider", 3 } },
         { "f0 09 34 02 40 30 79 0d 00 18 00 00 00 f7", "f0 09 34 02 40 30 79 0e 00 7a 00 00 00 f7",
           "f0 09 34 02 40 30 79 0e 08 00 00 00 00 f7", "f0 09 34 02 40 30 79 0e 08 06 00 00 00 f7",
           "f0 09 34 02 40 30 79 0d 00 04 00 00 00 f7",
           "f0 09 34 02 40 30 79 0e 00 7a 00 00 00 f7", // Default 2, -3
           "After Touch Pressure Resolution: 12", "After Touch Pressure Sharp Offset: -3",
           "After Touch Pressure Sharp Offset: 0", "After Touch Pressure Sharp Offset: 3",
           "After Touch Pressure Resolution: 2", "After Touch Pressure Sharp Offset: -3" },
         7); // reported before the window opened; the instrument reported none of the new values
}
} // namespace
