#include "app/JuceBox.h"
#include "app/MainContentComponent.h"
#include "app/MonitorWindow.h"
#include "support/TestHelpers.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <gtest/gtest.h>

namespace
{
MainContentComponent& contentOf (juce::DocumentWindow& window)
{
    return *dynamic_cast<MainContentComponent*> (window.getContentComponent());
}

TEST (MainWindow, SizeTitleAndPlacement)
{
    VirtualMidiDeviceLayer devices;
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);
    auto& content = contentOf (window);

    EXPECT_EQ (window.getName(), "VN5 MIDI Control System");
    EXPECT_EQ (window.getTitleBarHeight(), 45);
    EXPECT_FALSE (window.isResizable());
    EXPECT_FALSE (window.isUsingNativeTitleBar());
    EXPECT_TRUE (window.isVisible());

    // The content asks for 1140 x 800; the window then takes half its height.
    EXPECT_EQ (content.getWidth(), 1140);
    const auto fullHeight = 800 + 45 + window.getBorderThickness().getTopAndBottom();
    EXPECT_EQ (window.getHeight(), fullHeight / 2);

    const auto display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->totalArea;
    EXPECT_EQ (window.getX(), (display.getWidth() - window.getWidth()) / 2);
    EXPECT_EQ (window.getY(), display.getY() + 100);
}

TEST (MainWindow, OnlyTheCloseButtonIsOffered)
{
    VirtualMidiDeviceLayer devices;
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);

    EXPECT_NE (window.getCloseButton(), nullptr);
    EXPECT_EQ (window.getMinimiseButton(), nullptr);
    EXPECT_EQ (window.getMaximiseButton(), nullptr);
}

TEST (MainWindow, MonitorViewIsShownBeforeTheFirstLogLine)
{
    VirtualMidiDeviceLayer devices;
    MainContentComponent content (devices);

    ASSERT_NE (content.monitorWindow, nullptr);
    EXPECT_TRUE (content.monitorWindow->isVisible());
    EXPECT_TRUE (content.monitorWindow->isOnDesktop());
}

TEST (MainWindow, ClosingTheMainWindowTakesTheMonitorViewWithIt)
{
    VirtualMidiDeviceLayer devices;
    auto window = std::make_unique<JuceBox::MainWindow> ("KorvelVn5MidiCS_Projucer", devices);
    juce::Component::SafePointer<juce::Component> monitorView (contentOf (*window).monitorWindow.get());
    ASSERT_NE (monitorView, nullptr);

    window.reset();
    testhelpers::pumpMessages (10);

    EXPECT_EQ (monitorView, nullptr);
}

TEST (MainWindow, StartStateOfTheCentralComponent)
{
    VirtualMidiDeviceLayer devices;
    MainContentComponent content (devices);

    EXPECT_EQ (papa, &content);
    EXPECT_EQ (pops, static_cast<InstrumentHost*> (&content));
    EXPECT_EQ (content.lowestNote, 97);
    EXPECT_EQ (content.totalNotes, 0);
    EXPECT_EQ (content.keySplitZones.upperZoneFirstNote, 101);
    EXPECT_EQ (content.keySplitZones.lowerZoneLastNote, 100);
    EXPECT_EQ (content.sustainMode, 2);
    EXPECT_EQ (content.startupStep, 3);
    EXPECT_EQ (content.keyboardShown, 1);
    EXPECT_EQ (content.incomingMessages.capacity(), 1024u);
    EXPECT_EQ (content.instrumentKeywords, juce::StringArray ("Korvel", "Vorn 5"));

    EXPECT_TRUE (content.controls.isVisible());
    EXPECT_TRUE (content.controlsMenuButton.getToggleState());
    EXPECT_FALSE (content.setupMenuButton.getToggleState());
    EXPECT_FALSE (content.monitorMenuButton.getToggleState());
    EXPECT_TRUE (content.keyboardMenuButton.getToggleState());

    EXPECT_EQ (content.keySplitIndicator.getBounds(), juce::Rectangle<int> (148, 255, 980, 10));
    EXPECT_FALSE (content.keySplitIndicator.isEnabled());
    EXPECT_EQ (content.keyboardComponent.getBounds(), juce::Rectangle<int> (148, 265, 980, 99));
    EXPECT_EQ (content.keyboardComponent.getRangeStart(), 28);
    EXPECT_EQ (content.keyboardComponent.getRangeEnd(), 100);
    EXPECT_FLOAT_EQ (content.keyboardComponent.getKeyWidth(), 22.8f);
    EXPECT_EQ (content.controls.getBounds(), juce::Rectangle<int> (136, 0, 1004, 800));
}

TEST (MenuColumn, SetupAndControlsSwitchTheViewAndKeepTheTitle)
{
    VirtualMidiDeviceLayer devices;
    // SETUP is usable only while the instrument is attached.
    devices.addInputDevice ("Korvel VN5 MIDI", "korvel-in");
    devices.addOutputDevice ("Korvel VN5 MIDI", "korvel-out");
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);
    auto& content = contentOf (window);

    content.setupMenuButton.triggerClick();
    testhelpers::pumpMessages (5);
    EXPECT_TRUE (content.setup.isVisible());
    EXPECT_FALSE (content.controls.isVisible());
    EXPECT_TRUE (content.setupMenuButton.getToggleState());
    EXPECT_FALSE (content.controlsMenuButton.getToggleState());
    EXPECT_EQ (window.getName(), "VN5 MIDI Control System");

    content.setupMenuButton.triggerClick();
    testhelpers::pumpMessages (5);
    EXPECT_TRUE (content.setup.isVisible()) << "a click on the button that is on keeps its view";

    content.controlsMenuButton.triggerClick();
    testhelpers::pumpMessages (5);
    EXPECT_TRUE (content.controls.isVisible());
    EXPECT_FALSE (content.setup.isVisible());
}

TEST (MenuColumn, KeyboardButtonHidesAndShowsKeyboardAndResizesTheWindow)
{
    VirtualMidiDeviceLayer devices;
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);
    auto& content = contentOf (window);
    const auto x = window.getX();
    const auto width = window.getWidth();

    content.keyboardMenuButton.triggerClick();
    testhelpers::pumpMessages (5);
    EXPECT_FALSE (content.keyboardComponent.isVisible());
    EXPECT_FALSE (content.keySplitIndicator.isVisible());
    EXPECT_EQ (content.keyboardShown, 0);
    EXPECT_EQ (window.getHeight(), 323);
    EXPECT_EQ (window.getX(), x);
    EXPECT_EQ (window.getWidth(), width);

    content.keyboardMenuButton.triggerClick();
    testhelpers::pumpMessages (5);
    EXPECT_TRUE (content.keyboardComponent.isVisible());
    EXPECT_TRUE (content.keySplitIndicator.isVisible());
    EXPECT_EQ (content.keyboardShown, 1);
    EXPECT_EQ (window.getHeight(), 423);
}

TEST (MenuColumn, MonitorButtonHidesShowsAndPlacesTheMonitorView)
{
    VirtualMidiDeviceLayer devices;
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);
    auto& content = contentOf (window);

    content.monitorMenuButton.triggerClick();
    testhelpers::pumpMessages (5);
    EXPECT_FALSE (content.monitorWindow->isVisible());
    EXPECT_TRUE (content.monitorMenuButton.getToggleState());

    content.monitorMenuButton.triggerClick();
    testhelpers::pumpMessages (5);
    ASSERT_TRUE (content.monitorWindow->isVisible());
    EXPECT_EQ (content.monitorWindow->getX(), window.getX() + 68);
    EXPECT_EQ (content.monitorWindow->getY(), window.getBottom() + 25);
}

TEST (MenuColumn, MonitorButtonMakesANewWindowWhenTheOldOneIsGone)
{
    VirtualMidiDeviceLayer devices;
    MainContentComponent content (devices);

    content.monitorWindow->closeButtonPressed();
    EXPECT_EQ (content.monitorWindow, nullptr);

    content.monitorMenuButton.triggerClick();
    testhelpers::pumpMessages (5);
    ASSERT_NE (content.monitorWindow, nullptr);
    EXPECT_TRUE (content.monitorWindow->isVisible());
}
} // namespace
