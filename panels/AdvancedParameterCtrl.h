#pragma once

#include "app/ToolWindow.h"
#include "lookandfeel/KorvelCustomButtons.h"
#include "lookandfeel/KorvelCustomSlidersLong.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

class MainContentComponent;

//==============================================================================
/**
    The content of the advanced parameter window: the velocity curve (view 0), or the
    after-pressure resolution and black-key offset (view 1). Every slider change goes to the
    instrument at once; in between, the sliders follow what the instrument last reported.
*/
class AdvancedParameterCtrl : public juce::Component,
                              public juce::Button::Listener,
                              public juce::Slider::Listener,
                              public juce::Timer
{
public:
    AdvancedParameterCtrl (MainContentComponent& ownerToUse, int viewToShow);
    ~AdvancedParameterCtrl() override;

    /** Only the buttons and sliders take the mouse; the rest of the window drags it. */
    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void sliderValueChanged (juce::Slider* slider) override;
    void timerCallback() override;

    /** Closes the window; set by the window that holds this content. */
    std::function<void()> onOk;

private:
    void setupSlider (juce::Slider& slider, const juce::String& name, int y, double minimum, double maximum,
                      int value);

    const int view;
    juce::Label velocityCurveLabel, afterPressureLabel, resolutionLabel, blackKeyOffsetLabel;
    juce::TextButton okButton, defaultButton;
    juce::Slider velocityCurveSlider, pressureResolutionSlider, blackKeyOffsetSlider;
    MainContentComponent& owner;
    juce::KorvelCustomButtons buttonLook;
    juce::KorvelCustomSlidersLong sliderLook;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AdvancedParameterCtrl)
};

//==============================================================================
/** The modal window around AdvancedParameterCtrl, opened by the Controls panel's "+" buttons. */
class AdvancedParameterCtrlWindow : public ToolWindow
{
public:
    AdvancedParameterCtrlWindow (MainContentComponent& ownerToUse, int view);

    /** Builds the window for the view, centres it over the component, shows it modally and
        lets it delete itself when dismissed. */
    static void open (MainContentComponent& owner, juce::Component* centreOver, int view);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AdvancedParameterCtrlWindow)
};
