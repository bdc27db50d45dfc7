#include "AdvancedParameterCtrl.h"

#include "app/MainContentComponent.h"
#include "lookandfeel/KorvelWidgetStyle.h"
#include "protocol/PerformanceFrames.h"

namespace
{
constexpr int velocityCurveView = 0;
constexpr int afterPressureView = 1;
} // namespace

AdvancedParameterCtrl::AdvancedParameterCtrl (MainContentComponent& ownerToUse, int viewToShow)
    : view (viewToShow), owner (ownerToUse)
{
    setVisible (true);
    setSize (400, 250);

    const int buttonY = view == afterPressureView ? 280 : 160;
    KorvelWidgetStyle::button (*this, okButton, this, buttonLook, { 100, buttonY, 75, 35 }, "OK", "okButton",
                               false);
    KorvelWidgetStyle::button (*this, defaultButton, this, buttonLook, { 225, buttonY, 75, 35 }, "Default",
                               "defaultButton", false);

    if (view == velocityCurveView)
    {
        KorvelWidgetStyle::caption (*this, velocityCurveLabel, { 125, 10, 200, 50 }, 22.0f, "Velocity Curve");
        setupSlider (velocityCurveSlider, "velocityCurveSlider", 80, 0.0, 16.0, owner.velocityCurve);
    }
    else if (view == afterPressureView)
    {
        KorvelWidgetStyle::caption (*this, afterPressureLabel, { 75, 10, 250, 50 }, 22.0f,
                                    "After Pressure Parameters");
        KorvelWidgetStyle::caption (*this, resolutionLabel, { 20, 55, 250, 50 }, 18.0f, "Resolution");
        KorvelWidgetStyle::caption (*this, blackKeyOffsetLabel, { 20, 155, 250, 50 }, 18.0f,
                                    "Black Key Offset");
        setupSlider (pressureResolutionSlider, "pressureResolutionSlider", 100, 2.0, 12.0,
                     owner.pressureResolution);
        setupSlider (blackKeyOffsetSlider, "blackKeyOffsetSlider", 200, -15.0, 15.0, owner.blackKeyOffset);
    }

    startTimer (250);
}

AdvancedParameterCtrl::~AdvancedParameterCtrl()
{
    stopTimer();

    for (auto* button : { &okButton, &defaultButton })
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }

    for (auto* slider : { &velocityCurveSlider, &pressureResolutionSlider, &blackKeyOffsetSlider })
    {
        slider->removeListener (this);
        slider->setLookAndFeel (nullptr);
    }
}

void AdvancedParameterCtrl::setupSlider (juce::Slider& slider, const juce::String& name, int y,
                                         double minimum, double maximum, int value)
{
    addAndMakeVisible (slider);
    slider.addListener (this);
    slider.setSliderStyle (juce::Slider::LinearHorizontal);
    slider.setRange (minimum, maximum, 1.0);
    slider.setValue (value, juce::dontSendNotification);
    slider.setLookAndFeel (&sliderLook);
    slider.setBounds (20, y, 350, 50);
    slider.setName (name);
}

bool AdvancedParameterCtrl::hitTest (int x, int y)
{
    for (auto* widget :
         std::initializer_list<juce::Component*> { &okButton, &defaultButton, &velocityCurveSlider,
                                                   &pressureResolutionSlider, &blackKeyOffsetSlider })
        if (widget->getBounds().contains (x, y))
            return true;

    return false;
}

void AdvancedParameterCtrl::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff2e3333));
    g.setColour (juce::Colours::darkgrey);
    g.drawRect (getLocalBounds(), 2);
}

void AdvancedParameterCtrl::resized()
{
}

void AdvancedParameterCtrl::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "okButton")
    {
        if (onOk)
            onOk();
    }
    else if (name == "defaultButton")
    {
        if (view == velocityCurveView)
        {
            velocityCurveSlider.setValue (12.0, juce::sendNotificationSync);
        }
        else
        {
            pressureResolutionSlider.setValue (2.0, juce::sendNotificationSync);
            blackKeyOffsetSlider.setValue (-3.0, juce::sendNotificationSync);
        }
    }
}

void AdvancedParameterCtrl::sliderValueChanged (juce::Slider* slider)
{
    const auto v = (int) slider->getValue();

    if (slider == &velocityCurveSlider)
    {
        owner.logOutMessage ("Velocity Curve: " + juce::String (v & 0xFF));
        owner.sendToInstrument (velocity_curve_frame (v));
    }
    else if (slider == &pressureResolutionSlider)
    {
        tunnel_ump_out (pressure_resolution_packet (v));
        owner.logOutMessage ("After Touch Pressure Resolution: " + juce::String (v & 0xFF));
    }
    else if (slider == &blackKeyOffsetSlider)
    {
        owner.logOutMessage ("After Touch Pressure Sharp Offset: " + juce::String (v));
        owner.sendToInstrument (sharp_offset_frame (v));
    }
}

void AdvancedParameterCtrl::timerCallback()
{
    pressureResolutionSlider.setValue (owner.pressureResolution, juce::dontSendNotification);
    velocityCurveSlider.setValue (owner.velocityCurve, juce::dontSendNotification);
    blackKeyOffsetSlider.setValue (owner.blackKeyOffset, juce::dontSendNotification);
}

//==============================================================================
AdvancedParameterCtrlWindow::AdvancedParameterCtrlWindow (MainContentComponent& ownerToUse, int view)
    : ToolWindow (view == afterPressureView ? "After Pressure Parameters" : "Velocity Curve",
                  juce::DocumentWindow::closeButton)
{
    auto* content = new AdvancedParameterCtrl (ownerToUse, view);
    setToolContent (content, content->onOk);
    centreWithSize (400, view == afterPressureView ? 340 : 220);
}

void AdvancedParameterCtrlWindow::open (MainContentComponent& owner, juce::Component* centreOver, int view)
{
    auto* window = new AdvancedParameterCtrlWindow (owner, view);
    window->centreAroundComponent (centreOver, window->getWidth(), window->getHeight());
    window->setVisible (true);
    window->addToDesktop (window->getDesktopWindowStyleFlags());
    window->enterModalState (true, nullptr, true);
}
