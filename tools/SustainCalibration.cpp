#include "SustainCalibration.h"

#include "Setup.h"
#include "ToolTextArea.h"
#include "app/MainContentComponent.h"
#include "lookandfeel/KorvelWidgetStyle.h"
#include "protocol/Midi9Frame.h"

namespace
{
constexpr int panelWidth = 400;
constexpr int panelHeight = 300;

Midi9Bytes frontPedalModeFrame (u8 mode)
{
    return midi9_pedal_frame ({ { midi9_pedal_selector (PEDAL_FRONT, PEDAL_FIELD_MODE, true), mode } });
}
} // namespace

//==============================================================================
SustainCalibration::SustainCalibration (MainContentComponent& ownerToUse) : owner (ownerToUse)
{
    setVisible (true);
    setSize (panelWidth, panelHeight);
    const auto w = getWidth();

    KorvelWidgetStyle::caption (*this, title, { w / 2 - 120, 10, 250, 30 }, 22.0f,
                                "Sustain Pedal Calibration");

    setupButtons (saveButton, w / 2 - 112, "Save", "sustainSave");
    setupButtons (startButton, w / 2 - 112, "Start", "sustainStart");
    setupButtons (cancelButton, w / 2 + 37, "Cancel", "sustainCancel");
    saveButton.setVisible (false);
    startButton.setVisible (true);

    addAndMakeVisible (pedalBar);
    pedalBar.setBounds (300, 65, 50, 140);
    pedalBar.setSliderStyle (juce::Slider::LinearBarVertical);
    pedalBar.setRange (0.0, 127.0, 1.0);
    pedalBar.setValue (owner.sustainPedalValue, juce::sendNotificationAsync);
    pedalBar.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    pedalBar.setColour (juce::Slider::trackColourId, juce::Colour (0xffff8c00));
    pedalBar.setEnabled (false);

    setupToolTextArea (*this, textArea, { 15, 85, 250, 100 }, 20.0f,
                       "Ensure the sustain pedal is in rest position.\n\nWhen ready, press START.\n");

    startTimer (50);
}

SustainCalibration::~SustainCalibration()
{
    stopTimer();

    for (auto* button : { &saveButton, &startButton, &cancelButton })
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }
}

void SustainCalibration::setupButtons (juce::TextButton& button, int x, const juce::String& text,
                                       const juce::String& name)
{
    KorvelWidgetStyle::button (*this, button, this, buttonLook, { x, 240, 75, 35 }, text, name, false,
                               KorvelButtonColours {});
}

bool SustainCalibration::hitTest (int x, int y)
{
    return ToolWindow::isOnAnyOf (x, y, { &saveButton, &cancelButton });
}

void SustainCalibration::paint (juce::Graphics& g)
{
    ToolWindow::paintPanel (g, *this, juce::Colour (0xff555555));
}

void SustainCalibration::resized()
{
}

void SustainCalibration::timerCallback()
{
    pedalBar.setValue (owner.sustainPedalValue, juce::sendNotificationAsync);
}

void SustainCalibration::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "sustainSave")
    {
        owner.sendToInstrument (frontPedalModeFrame (owner.sustainMode));
        close();
    }
    else if (name == "sustainStart")
    {
        owner.sendToInstrument (frontPedalModeFrame (PEDAL_MODE_CALIBRATE));
        startButton.setVisible (false);
        saveButton.setVisible (true);
        textArea.setText ("Fully depress the pedal and hold for one second.\n\nThen Press SAVE.", false);
        owner.logOutMessage ("Starting Sustain Calibration...");
    }
    else if (name == "sustainCancel")
    {
        close();
    }
}

void SustainCalibration::close()
{
    jassert (closeCallback != nullptr);

    if (closeCallback != nullptr)
        closeCallback();
}

//==============================================================================
SustainCalibrationWindow::SustainCalibrationWindow (MainContentComponent& ownerToUse)
    : ToolWindow ("Sustain Calibration", 4), owner (ownerToUse)
{
}

void SustainCalibrationWindow::open (MainContentComponent& owner, Setup& setup)
{
    auto* window = new SustainCalibrationWindow (owner);
    auto* panel = new SustainCalibration (owner);

    window->setToolContent (panel, panel->closeCallback);
    window->centreAroundComponent (setup.getParentComponent(), panelWidth, panelHeight);
    window->setVisible (true);
    window->addToDesktop();
    window->enterModalState (true, nullptr, true);
}
