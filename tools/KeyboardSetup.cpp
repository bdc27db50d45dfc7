#include "KeyboardSetup.h"

#include "Setup.h"
#include "ToolTextArea.h"
#include "app/MainContentComponent.h"
#include "lookandfeel/KorvelWidgetStyle.h"
#include "protocol/Midi9Frame.h"
#include "protocol/MidiControllers.h"
#include "protocol/UmpTransport.h"

namespace
{
constexpr int panelWidth = 830;
constexpr int panelHeight = 500;

enum SliderIndex
{
    polyphonicMin,
    polyphonicMax,
    channelApMin,
    channelApMax,
    sensitivity,
    sharpAdjust,
    hardLevel,
    softLevel,
    velocityMin,
    stepNumber,
    noteOnPosition,
    noteOffPosition
};

struct SliderRow
{
    const char* caption;
    int x, y;
    double min, max, step;
    int decimals;
};

const std::array<SliderRow, KeyboardSetup::numSliders> sliderRows { {
    { "Polyphonic Min", 150, 70, 0, 127, 1, 0 },
    { "Polyphonic Max", 150, 122, 0, 127, 1, 0 },
    { "Channel AP Min", 150, 174, 0, 127, 1, 0 },
    { "Channel AP Max", 150, 226, 0, 127, 1, 0 },
    { "Sensitivity", 595, 70, -16, 16, 1, 0 },
    { "Sharp Adjust", 595, 122, -46, 16, 1, 0 },
    { "Hard Level", 595, 174, 1, 16, 0.25, 2 },
    { "Soft Level", 595, 226, 0.05, 0.5, 0.025, 3 },
    { "Velocity Min", 595, 278, 1, 16, 0.5, 1 },
    { "Step Number", 595, 330, 0, 32, 1, 0 },
    { "Note On Pos %", 595, 382, 0, 100, 1, 0 },
    { "Note Off Pos %", 595, 434, 0, 100, 1, 0 },
} };

// Sliders 1 to 4 only log, under these names.
const std::array<const char*, 4> loggedOnlyNames { "Polyphone Min:", "Polyphone Max:", "Channel AP Min:",
                                                   "Channel AP Max:" };

const juce::String infoTextContent (
    "This page allows for the adjustment of performance parameters to get the exact feel that you desire. "
    "However, these adjustments are sensitive and critical to getting the best performance on your "
    "instrument.\n\nSelect 'Default' button to get to the factory calibrated defaults.\n\n");
} // namespace

//==============================================================================
KeyboardSetup::KeyboardSetup (MainContentComponent& ownerToUse, Setup& setupToUse)
    : owner (ownerToUse), setup (setupToUse)
{
    setVisible (true);
    setSize (panelWidth, panelHeight);

    drawLabel (labels[0], getWidth() / 2 - 75, 10, 150, 22.0f, "Keyboard Setup");

    for (size_t i = 0; i < sliderRows.size(); ++i)
    {
        const auto& row = sliderRows[i];
        drawLabel (labels[i + 1], row.x == 150 ? 15 : 470, row.y + 5, 200, 16.0f, row.caption);
    }

    const std::array<double, numSliders> startValues { 0.0,
                                                       0.0,
                                                       0.0,
                                                       0.0,
                                                       0.0,
                                                       owner.sharpAdjustReport.value,
                                                       owner.hardLevelReport.value,
                                                       owner.softLevelReport.value,
                                                       owner.velocityMinReport.value,
                                                       owner.stepNumberReport.value,
                                                       owner.noteOnPositionReport.value,
                                                       owner.noteOffPositionReport.value };

    for (size_t i = 0; i < sliderRows.size(); ++i)
    {
        const auto& row = sliderRows[i];
        drawSlider (sliders[i], row.x, row.y, row.decimals, row.min, row.max, startValues[i], row.step);
        openingValues[i] = sliders[i].getValue();
    }

    setupToolTextArea (*this, infoText, { 15, 300, 400, 125 }, 0.0f, infoTextContent);

    setupButtons (saveButton, 30, "Save", "keySetupSave");
    setupButtons (defaultButton, 173, "Default", "keySetupDefault");
    setupButtons (cancelButton, 315, "Cancel", "keySetupCancel");
}

KeyboardSetup::~KeyboardSetup()
{
    for (auto* button : { &saveButton, &defaultButton, &cancelButton })
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }

    for (auto& slider : sliders)
    {
        slider.removeListener (this);
        slider.setLookAndFeel (nullptr);
    }
}

void KeyboardSetup::drawLabel (juce::Label& label, int x, int y, int width, float fontHeight,
                               const juce::String& text)
{
    KorvelWidgetStyle::caption (*this, label, { x, y, width, 30 }, fontHeight, text);
}

void KeyboardSetup::drawSlider (juce::Slider& slider, int x, int y, int decimals, double min, double max,
                                double value, double step)
{
    addAndMakeVisible (slider);
    slider.setSliderStyle (juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle (juce::Slider::TextBoxRight, false, 40, 30);
    slider.setRange (min, max, step);
    slider.setNumDecimalPlacesToDisplay (juce::jmax (0, decimals));
    slider.addListener (this);
    slider.setChangeNotificationOnlyOnRelease (true);
    slider.setValue (value, juce::dontSendNotification);
    slider.setBounds (x, y, 225, 42);
    slider.setColour (juce::Slider::textBoxOutlineColourId, juce::Colour (0xff808080));
    slider.setColour (juce::Slider::textBoxTextColourId, juce::Colours::lightgrey);
    slider.setLookAndFeel (&sliderLook);
}

void KeyboardSetup::setupButtons (juce::TextButton& button, int x, const juce::String& text,
                                  const juce::String& name)
{
    KorvelWidgetStyle::button (*this, button, this, buttonLook, { x, 440, 75, 35 }, text, name, false,
                               KorvelButtonColours {});
}

bool KeyboardSetup::hitTest (int x, int y)
{
    if (ToolWindow::isOnAnyOf (x, y, { &saveButton, &defaultButton, &cancelButton }))
        return true;

    for (auto& slider : sliders)
        if (slider.getBounds().contains (x, y))
            return true;

    return false;
}

void KeyboardSetup::paint (juce::Graphics& g)
{
    ToolWindow::paintPanel (g, *this, juce::Colour (0xff555555));
}

void KeyboardSetup::resized()
{
}

//==============================================================================
void KeyboardSetup::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "keySetupSave")
    {
        // Every change was sent as it was made.
        close();
    }
    else if (name == "keySetupDefault")
    {
        // Each slider that moved sends its opening value back as a user's change would.
        for (size_t i = 0; i < sliders.size(); ++i)
            sliders[i].setValue (openingValues[i], juce::sendNotificationSync);
    }
    else if (name == "keySetupCancel")
    {
        close();
    }
}

void KeyboardSetup::close()
{
    setSetupEntryEnabled (true);

    jassert (closeCallback != nullptr);

    if (closeCallback != nullptr)
        closeCallback();
}

void KeyboardSetup::setSetupEntryEnabled (bool enabled)
{
    setup.keySetupButton.setEnabled (enabled);
}

void KeyboardSetup::writeBack (juce::Slider& slider, double value)
{
    slider.setValue (value, juce::sendNotificationAsync);
}

void KeyboardSetup::sliderValueChanged (juce::Slider* slider)
{
    const auto found =
        std::find_if (sliders.begin(), sliders.end(), [slider] (auto& s) { return &s == slider; });

    if (found == sliders.end())
        return;

    const auto index = (int) std::distance (sliders.begin(), found);
    const auto value = slider->getValue();
    const auto v = (int) value;

    switch (index)
    {
        case polyphonicMin:
        case polyphonicMax:
        case channelApMin:
        case channelApMax:
            owner.logOutMessage (loggedOnlyNames[(size_t) index] + juce::String (v));
            break;

        case sensitivity:
        {
            const auto s = juce::jmin ((int) (u8) (v + 103), 127);
            owner.sendToInstrument (midi9_set_frame (M9_VELOCITY_SENSITIVITY, s));
            owner.logOutMessage ("New Velocity On Sensitivity:" + juce::String (s));
            break;
        }

        case sharpAdjust:
        {
            const auto d = sharp_adjust_value (v);
            tunnel_ump_out (nrpn_message (NRPN_SHARP_ADJUST, d));
            owner.logOutMessage ("Sharp Adjust:" + juce::String (d));
            break;
        }

        case hardLevel:
        {
            // 16 x 2^28 does not fit the controller's 32 bits.
            const auto h = value < 16.0 ? (float) value : 15.9f;
            writeBack (*slider, h);
            const auto word = hard_level_value (h);
            tunnel_ump_out (rpn_message (RPN_HARD_LEVEL, word));
            owner.logOutMessage ("Hard Level:" + juce::String (word));
            break;
        }

        case softLevel:
        {
            const auto s = juce::jmin ((float) value, 0.5f);
            writeBack (*slider, s);
            const auto word = soft_level_value (s);
            tunnel_ump_out (rpn_message (RPN_SOFT_LEVEL, word));
            owner.logOutMessage ("Soft Level:" + juce::String (word));
            break;
        }

        case velocityMin:
        {
            const auto m = juce::jlimit (1.0f, 16.0f, (float) value);
            writeBack (*slider, m);
            const auto word = velocity_min_value (m);
            tunnel_ump_out (rpn_message (RPN_VELOCITY_MIN, word));
            owner.logOutMessage ("Velocity Min:" + juce::String (word));
            break;
        }

        case stepNumber:
        {
            const auto n = juce::jlimit (0.0f, 32.0f, (float) value);
            writeBack (*slider, n);
            tunnel_ump_out (rpn_message (RPN_STEP_NUMBER, step_number_value (n)));
            owner.logOutMessage ("Step Number:" + juce::String::formatted ("%.0f", slider->getValue()));
            break;
        }

        case noteOnPosition:
        case noteOffPosition:
        {
            const auto p = juce::jlimit (10.0f, 75.0f, (float) value);
            writeBack (*slider, p);
            const bool on = index == noteOnPosition;
            tunnel_ump_out (
                rpn_message (on ? RPN_NOTE_ON_POSITION : RPN_NOTE_OFF_POSITION, key_position_value (p)));
            owner.logOutMessage ((on ? "Note On Pos:" : "Note Off Pos:") + juce::String (v) + "%");
            break;
        }

        default:
            break;
    }
}

//==============================================================================
KeyboardSetupWindow::KeyboardSetupWindow (MainContentComponent& ownerToUse, Setup& setupToUse)
    : ToolWindow ("Keyboard Setup Window", 7), owner (ownerToUse), setup (setupToUse)
{
}

void KeyboardSetupWindow::open (MainContentComponent& owner, Setup& setup)
{
    auto* window = new KeyboardSetupWindow (owner, setup);
    auto* panel = new KeyboardSetup (owner, setup);

    window->setToolContent (panel, panel->closeCallback, [panel] { panel->close(); });
    window->centreAroundComponent (setup.getParentComponent(), panelWidth, panelHeight);
    window->setVisible (true);
    window->addToDesktop();

    panel->setSetupEntryEnabled (false);
}
