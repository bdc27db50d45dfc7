#pragma once

#include "app/ToolWindow.h"
#include "lookandfeel/KorvelCustomButtons.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

class MainContentComponent;
class Setup;

//==============================================================================
/**
    Calibrates the sustain pedal: Start puts the pedal into calibration mode while it rests,
    the user holds it fully down, and Save gives it its playing mode back. A bar follows the
    pedal value the instrument reports.
*/
class SustainCalibration : public juce::Component, public juce::Button::Listener, private juce::Timer
{
public:
    explicit SustainCalibration (MainContentComponent& ownerToUse);
    ~SustainCalibration() override;

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

    void setupButtons (juce::TextButton& button, int x, const juce::String& text, const juce::String& name);

    juce::Label title;
    juce::TextButton saveButton, startButton, cancelButton;
    juce::TextEditor textArea;
    juce::Slider pedalBar;

    MainContentComponent& owner;

    std::function<void()> closeCallback;

    juce::KorvelCustomButtons buttonLook;

private:
    void timerCallback() override;
    void close();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SustainCalibration)
};

//==============================================================================
/** The modal window around SustainCalibration. */
class SustainCalibrationWindow : public ToolWindow
{
public:
    explicit SustainCalibrationWindow (MainContentComponent& ownerToUse);

    /** Builds the window over the Setup panel's parent and shows it. */
    static void open (MainContentComponent& owner, Setup& setup);

    MainContentComponent& owner;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SustainCalibrationWindow)
};
