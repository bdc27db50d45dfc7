#include "support/CentralComponentFixture.h"

namespace
{
class MonitorPanel : public CentralComponentFixture
{
};

TEST_F (MonitorPanel, TogglesStartAsTheirFiltersSayExceptSustain)
{
    auto* m = monitor();
    ASSERT_NE (m, nullptr);

    EXPECT_TRUE (m->noteOnToggle.getToggleState());
    EXPECT_TRUE (m->pressureToggle.getToggleState());
    EXPECT_TRUE (m->noteOffToggle.getToggleState());
    EXPECT_TRUE (m->controllersToggle.getToggleState());
    EXPECT_FALSE (m->sysexToggle.getToggleState());
    EXPECT_FALSE (m->timeToggle.getToggleState());
    EXPECT_FALSE (m->sustainsToggle.getToggleState());
    EXPECT_FALSE (m->repliesToggle.getToggleState());

    const auto& f = content->monitorFilter;
    EXPECT_EQ (f.noteOn, 1);
    EXPECT_EQ (f.noteOff, 1);
    EXPECT_EQ (f.replies, 0);
    EXPECT_EQ (f.pressure, 1);
    EXPECT_EQ (f.sysex, 0);
    EXPECT_EQ (f.timeStamp, 0);
    EXPECT_EQ (f.sustain, 1) << "the central component turns sustain on while its toggle shows off";
    EXPECT_EQ (f.controllers, 1);
}

TEST_F (MonitorPanel, EachToggleWritesItsOwnFilter)
{
    auto* m = monitor();
    struct Row
    {
        juce::TextButton* toggle;
        u8 MonitorFilterFlags::*field;
    };
    const Row rows[] = {
        { &m->noteOnToggle, &MonitorFilterFlags::noteOn },
        { &m->noteOffToggle, &MonitorFilterFlags::noteOff },
        { &m->repliesToggle, &MonitorFilterFlags::replies },
        { &m->pressureToggle, &MonitorFilterFlags::pressure },
        { &m->sysexToggle, &MonitorFilterFlags::sysex },
        { &m->timeToggle, &MonitorFilterFlags::timeStamp },
        { &m->sustainsToggle, &MonitorFilterFlags::sustain },
        { &m->controllersToggle, &MonitorFilterFlags::controllers },
    };

    for (const auto& row : rows)
    {
        const auto before = content->monitorFilter;
        const bool wasOn = row.toggle->getToggleState();

        row.toggle->triggerClick();
        testhelpers::pumpMessages (5);

        EXPECT_EQ (content->monitorFilter.*row.field, wasOn ? 0 : 1) << row.toggle->getName();

        // Nothing else moved.
        auto expected = before;
        expected.*row.field = content->monitorFilter.*row.field;
        EXPECT_EQ (0, std::memcmp (&expected, &content->monitorFilter, sizeof (MonitorFilterFlags)))
            << row.toggle->getName();

        row.toggle->triggerClick();
        testhelpers::pumpMessages (5);
        EXPECT_EQ (content->monitorFilter.*row.field, wasOn ? 1 : 0) << row.toggle->getName();
    }
}

TEST_F (MonitorPanel, SwitchingSustainsOnAndOffMakesItEffective)
{
    auto* m = monitor();
    m->sustainsToggle.triggerClick();
    testhelpers::pumpMessages (5);
    EXPECT_EQ (content->monitorFilter.sustain, 1);

    m->sustainsToggle.triggerClick();
    testhelpers::pumpMessages (5);
    EXPECT_EQ (content->monitorFilter.sustain, 0);
}

TEST_F (MonitorPanel, ClearEmptiesBothLogsAndKeepsTheToggles)
{
    content->logMessage ("in");
    content->logOutMessage ("out");
    settle();
    ASSERT_TRUE (inLog().isNotEmpty());

    const auto before = content->monitorFilter;
    monitor()->clearButton.triggerClick();
    testhelpers::pumpMessages (5);

    EXPECT_TRUE (inLog().isEmpty());
    EXPECT_TRUE (outLog().isEmpty());
    EXPECT_EQ (0, std::memcmp (&before, &content->monitorFilter, sizeof (MonitorFilterFlags)));
    EXPECT_TRUE (monitor()->noteOnToggle.getToggleState());
}

TEST_F (MonitorPanel, OnlyTheInLogTakesTyping)
{
    EXPECT_FALSE (monitor()->midiInActivityEditor.isReadOnly());
    EXPECT_TRUE (monitor()->midiOutActivityEditor.isReadOnly());
}

TEST_F (MonitorPanel, LayoutOfA1000By300Panel)
{
    auto panel = std::make_unique<Monitor> (*content);
    auto* m = panel.get();
    ASSERT_EQ (m->getBounds().withZeroOrigin(), juce::Rectangle<int> (0, 0, 1000, 300));

    EXPECT_EQ (m->midiInActivityEditor.getBounds(), juce::Rectangle<int> (340, 60, 270, 195));
    EXPECT_EQ (m->midiOutActivityEditor.getBounds(), juce::Rectangle<int> (690, 60, 270, 195));
    EXPECT_EQ (m->clearButton.getBounds(), juce::Rectangle<int> (629, 245, 42, 20));
    EXPECT_EQ (m->noteOnToggle.getBounds(), juce::Rectangle<int> (55, 85, 85, 25));
    EXPECT_EQ (m->repliesToggle.getBounds(), juce::Rectangle<int> (165, 205, 85, 25));

    // The captions follow their editors.
    EXPECT_EQ (m->inCaption.getBottom(), m->midiInActivityEditor.getY());
    EXPECT_EQ (m->outCaption.getBottom(), m->midiOutActivityEditor.getY());
    EXPECT_EQ (m->inCaption.getText(), "MIDI IN Activity");
    EXPECT_EQ (m->outCaption.getText(), "MIDI OUT Activity");
}

TEST_F (MonitorPanel, HitTestLetsTheBackgroundDragTheWindow)
{
    auto panel = std::make_unique<Monitor> (*content);
    auto* m = panel.get();

    EXPECT_TRUE (m->hitTest (60, 90)) << "a toggle";
    EXPECT_TRUE (m->hitTest (640, 250)) << "Clear";
    EXPECT_TRUE (m->hitTest (400, 100)) << "the IN log";
    EXPECT_TRUE (m->hitTest (800, 100)) << "the OUT log";

    EXPECT_FALSE (m->hitTest (5, 5)) << "background";
    EXPECT_FALSE (m->hitTest (60, 40)) << "the Display Messages caption";
    EXPECT_FALSE (m->hitTest (400, 40)) << "the IN caption";
    EXPECT_FALSE (m->hitTest (650, 150)) << "between the logs";
}

TEST_F (MonitorPanel, WindowHasNoVisibleTitleBarAndIsDraggable)
{
    auto& window = *content->monitorWindow;

    EXPECT_EQ (window.getName(), "Monitor View");
    EXPECT_EQ (window.getTitleBarHeight(), 0);
    EXPECT_FALSE (window.isResizable());
    EXPECT_TRUE (window.isVisible());
    EXPECT_TRUE (window.isOnDesktop());
    EXPECT_EQ (window.getWidth(), 1000);
    EXPECT_EQ (window.getHeight(), 300);
}

TEST_F (MonitorPanel, ANewWindowWritesItsStartFiltersAgain)
{
    monitor()->sysexToggle.triggerClick();
    testhelpers::pumpMessages (5);
    ASSERT_EQ (content->monitorFilter.sysex, 1);

    content->monitorWindow->closeButtonPressed();
    content->showMonitorClicked();

    EXPECT_EQ (content->monitorFilter.sysex, 0);
    EXPECT_EQ (content->monitorFilter.sustain, 0);
    EXPECT_FALSE (monitor()->sysexToggle.getToggleState());
}
} // namespace
