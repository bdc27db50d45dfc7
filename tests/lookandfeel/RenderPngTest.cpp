// Renders the main window, the Monitor View and the keyboard to PNG files under the build
// directory (tests/snapshots), so that the program's looks can be inspected by eye.
#include "RenderHelpers.h"
#include "app/JuceBox.h"
#include "app/MainContentComponent.h"
#include "app/MonitorWindow.h"
#include "lookandfeel/KorvelCustomAlertWindow.h"
#include "lookandfeel/KorvelCustomButtons.h"
#include "lookandfeel/KorvelCustomRefreshButton.h"
#include "lookandfeel/KorvelCustomSliders.h"
#include "lookandfeel/KorvelCustomSlidersLong.h"
#include "lookandfeel/KorvelVersionAlertWindow.h"
#include "support/TestHelpers.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <gtest/gtest.h>

TEST (RenderPng, MainWindowMonitorViewAndKeyboard)
{
    VirtualMidiDeviceLayer devices;
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);
    auto* content = dynamic_cast<MainContentComponent*> (window.getContentComponent());
    ASSERT_NE (content, nullptr);
    window.setSize (window.getWidth(), 423);

    // A split at C3 (60) and keys down in both zones, at several levels and pressures.
    content->keySplitZones.upperZoneFirstNote = 60;
    content->keySplitZones.lowerZoneLastNote = 59;
    content->keySplitIndicator.setValue (10.0 * (60 - 28) / (101 - 28), juce::dontSendNotification);

    const std::pair<int, float> keys[] = { { 36, 1.0f }, { 40, 0.5f }, { 43, 0.1f }, { 46, 1.0f },
                                           { 62, 1.0f }, { 66, 0.6f }, { 69, 0.3f }, { 79, 1.0f } };
    for (const auto& [note, velocity] : keys)
        content->keyboardState.noteOn (1, note, velocity);

    content->notePressures[40] = 90;
    content->notePressures[46] = 127;
    content->notePressures[62] = 60;
    content->notePressures[66] = 110;

    testhelpers::pumpMessages (150);

    EXPECT_TRUE (
        render::writePng (window.createComponentSnapshot (window.getLocalBounds()), "main-window.png"));
    EXPECT_TRUE (render::writePng (content->keyboardComponent.createComponentSnapshot (
                                       content->keyboardComponent.getLocalBounds().withHeight (99)),
                                   "keyboard.png"));

    ASSERT_NE (content->monitorWindow, nullptr);
    auto* monitor = content->monitorWindow->getMonitor();
    ASSERT_NE (monitor, nullptr);

    for (int i = 0; i < 40; ++i)
    {
        monitor->midiInActivityEditor.insertTextAtCaret ("90 3C 64    Note On    Ch. 1    C3    100\r\n");
        monitor->midiOutActivityEditor.insertTextAtCaret ("F0 09 00 2E 00 00 00 00 00 F7\r\n");
    }

    EXPECT_TRUE (render::writePng (
        content->monitorWindow->createComponentSnapshot (content->monitorWindow->getLocalBounds()),
        "monitor-view.png"));

    // The calibration colours on the same keys.
    content->calibrationFlags.active = 1;
    content->calibrationFlags.restMode = 1;
    content->keyboardState.noteOn (1, 41, 1.0f);
    EXPECT_TRUE (render::writePng (content->keyboardComponent.createComponentSnapshot (
                                       content->keyboardComponent.getLocalBounds().withHeight (99)),
                                   "keyboard-calibration.png"));
    content->calibrationFlags.active = 0;
    content->keyboardState.allNotesOff (0);
}

TEST (RenderPng, AlertsButtonsAndSliders)
{
    VirtualMidiDeviceLayer devices;
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices); // installs the application look

    juce::KorvelCustomButtons buttonLook;
    juce::KorvelCustomRefreshButton refreshLook;
    juce::KorvelCustomSliders sliderLook;
    juce::KorvelCustomSlidersLong longSliderLook;
    juce::KorvelCustomAlertWindow confirmLook;
    juce::KorvelVersionAlertWindow versionLook;

    juce::Component panel;
    panel.setSize (760, 420);

    struct Painter : public juce::Component
    {
        void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0xff2e3333)); }
    } background;
    background.setBounds (panel.getLocalBounds());
    panel.addAndMakeVisible (background);

    juce::TextButton plain ("Start"), power, refresh, pressed ("Held");
    power.getProperties().set ("generic", true);
    pressed.setState (juce::Button::buttonDown);
    int x = 20;
    for (auto* button : { &plain, &power, &refresh, &pressed })
    {
        button->setLookAndFeel (button == &refresh ? static_cast<juce::LookAndFeel*> (&refreshLook)
                                                   : &buttonLook);
        button->setColour (juce::TextButton::textColourOffId, juce::Colours::lightgrey);
        button->setBounds (x, 20, 75, 35);
        panel.addAndMakeVisible (button);
        x += 90;
    }
    refresh.setSize (45, 45);

    juce::Slider shortSlider (juce::Slider::LinearHorizontal, juce::Slider::TextBoxRight),
        longSlider (juce::Slider::LinearHorizontal, juce::Slider::TextBoxRight);
    shortSlider.setRange (0, 16, 1);
    shortSlider.setValue (5);
    shortSlider.setLookAndFeel (&sliderLook);
    shortSlider.setBounds (20, 80, 225, 42);
    longSlider.setRange (2, 12, 1);
    longSlider.setValue (9);
    longSlider.setLookAndFeel (&longSliderLook);
    longSlider.setBounds (20, 140, 360, 42);
    panel.addAndMakeVisible (shortSlider);
    panel.addAndMakeVisible (longSlider);

    auto confirm = std::unique_ptr<juce::AlertWindow> (
        confirmLook.createAlertWindow ("MIDI Firmware Update", "Are You Absolutely Sure?", "Yes", "No", {},
                                       juce::MessageBoxIconType::NoIcon, 2, nullptr));
    auto version = std::unique_ptr<juce::AlertWindow> (versionLook.createAlertWindow (
        "Version", "--", "OK", {}, {}, juce::MessageBoxIconType::NoIcon, 1, nullptr));

    for (auto* alert : { confirm.get(), version.get() })
    {
        for (auto* child : alert->getChildren())
            child->setLookAndFeel (&buttonLook);
        alert->setSize (350, 180);
    }

    EXPECT_TRUE (render::writePng (panel.createComponentSnapshot (panel.getLocalBounds()), "widgets.png"));
    EXPECT_TRUE (
        render::writePng (confirm->createComponentSnapshot (confirm->getLocalBounds()), "alert-confirm.png"));
    EXPECT_TRUE (
        render::writePng (version->createComponentSnapshot (version->getLocalBounds()), "alert-version.png"));

    for (auto* alert : { confirm.get(), version.get() })
    {
        for (auto* child : alert->getChildren())
            child->setLookAndFeel (nullptr);
        alert->setLookAndFeel (nullptr);
    }
    for (juce::Component* c : std::initializer_list<juce::Component*> { &plain, &power, &refresh, &pressed,
                                                                        &shortSlider, &longSlider })
        c->setLookAndFeel (nullptr);
}
