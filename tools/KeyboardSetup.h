#pragma once

#include "app/ToolWindow.h"
#include "lookandfeel/KorvelCustomButtons.h"
#include "lookandfeel/KorvelCustomSliders.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>

class MainContentComponent;
class Setup;

//==============================================================================
/**
    The instrument's key-sensing parameters on twelve sliders. Each change is limited to what
    the instrument takes, sent at once and logged; the first four sliders are only logged.
    Default puts back the values the window opened with, Save and Cancel close it.
*/
class KeyboardSetup : public juce::Component, public juce::Button::Listener, public juce::Slider::Listener
{
public:
    KeyboardSetup (MainContentComponent& ownerToUse, Setup& setupToUse);
    ~KeyboardSetup() override;

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void sliderValueChanged (juce::Slider* slider) override;

    void drawLabel (juce::Label& label, int x, int y, int width, float fontHeight, const juce::String& text);
    void drawSlider (juce::Slider& slider, int x, int y, int decimals, double min, double max, double value,
                     double step);
    void setupButtons (juce::TextButton& button, int x, const juce::String& text, const juce::String& name);

    /** The Setup panel's entry to this window, disabled while it is open. */
    void setSetupEntryEnabled (bool enabled);

    /** Save and Cancel: gives the Setup panel its entry back and closes the window. */
    void close();

    static constexpr int numSliders = 12;

    std::array<juce::Slider, numSliders> sliders;
    std::array<juce::Label, numSliders + 1> labels;
    juce::TextButton saveButton, defaultButton, cancelButton;
    juce::TextEditor infoText;

    MainContentComponent& owner;
    Setup& setup;

    std::function<void()> closeCallback;

    juce::KorvelCustomButtons buttonLook;
    juce::KorvelCustomSliders sliderLook;

private:
    /** Sets a slider to its limited value; the change comes back through sliderValueChanged. */
    static void writeBack (juce::Slider& slider, double value);

    // What the sliders showed when the window opened: the instrument's reported values.
    std::array<double, numSliders> openingValues {};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyboardSetup)
};

//==============================================================================
/** The window around KeyboardSetup; not modal. */
class KeyboardSetupWindow : public ToolWindow
{
public:
    KeyboardSetupWindow (MainContentComponent& ownerToUse, Setup& setupToUse);

    /** Builds the window over the Setup panel's parent and shows it. */
    static void open (MainContentComponent& owner, Setup& setup);

    MainContentComponent& owner;
    Setup& setup;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyboardSetupWindow)
};
