#include "Setup.h"

#include "BoardStatus.h"
#include "KeyCalibration.h"
#include "KeyboardSetup.h"
#include "SustainCalibration.h"
#include "app/MainContentComponent.h"
#include "lookandfeel/KorvelWidgetStyle.h"
#include "protocol/Midi9Frame.h"

std::function<bool (const juce::URL&)> Setup::launchWebPage = [] (const juce::URL& url)
{ return url.launchInDefaultBrowser(); };

Setup::Setup (MainContentComponent& ownerToUse) : owner (ownerToUse)
{
    drawLabel (&softwareStatusCaption, 40, 32, 200, 30, 16.0f, "Software Status");
    drawLabel (&firmwareStatusCaption, 346, 32, 200, 30, 16.0f, "Firmware and Status");
    drawLabel (&calibrationCaption, 695, 32, 200, 30, 16.0f, "Calibration");

    drawLabel (&versionCaption, 89, 80, 200, 30, 14.0f, "Check Software Version");
    drawLabel (&boardStatusCaption, 395, 80, 200, 30, 14.0f, "Get Board Status");
    drawLabel (&midiFirmwareCaption, 395, 120, 200, 30, 14.0f, "MIDI Firmware Update");
    drawLabel (&vn5FirmwareCaption, 395, 160, 200, 30, 14.0f, "Vorn 5 Firmware Update");
    drawLabel (&keyCalibCaption, 745, 80, 200, 30, 14.0f, "Start Key Calibration");
    drawLabel (&sustCalibCaption, 745, 115, 200, 30, 14.0f, "Start Sustain Calibration");
    drawLabel (&keySetupCaption, 745, 150, 200, 30, 14.0f, "Keyboard Setup");
    drawLabel (&factoryResetCaption, 745, 185, 200, 30, 14.0f, "Factory Restore");

    setupBasicButton (&getSwStatButton, 40, 85, 40, 20, "GetSWStat");
    setupBasicButton (&getBrdStatButton, 346, 85, 40, 20, "GetBrdStat");
    setupBasicButton (&midiFwUpdateButton, 346, 125, 40, 20, "midiFwUpdate");
    setupBasicButton (&vn5FwUpdateButton, 346, 165, 40, 20, "vn5FwUpdate");
    setupBasicButton (&keyCalibButton, 695, 85, 40, 20, "keyCalib");
    setupBasicButton (&sustCalibButton, 695, 120, 40, 20, "sustCalib");
    setupBasicButton (&keySetupButton, 695, 155, 40, 20, "keySetup");
    setupBasicButton (&factoryResetButton, 695, 190, 40, 20, "factoryReset");

    // Keyboard setup stays out of reach; the rows below it move up into its place.
    keySetupButton.setVisible (false);
    keySetupCaption.setVisible (false);
    sustCalibButton.setBounds (695, 125, 40, 20);
    sustCalibCaption.setBounds (745, 120, 200, 30);
    factoryResetButton.setBounds (695, 165, 40, 20);
    factoryResetCaption.setBounds (745, 160, 200, 30);
}

Setup::~Setup()
{
    for (auto& alert : openAlerts)
    {
        if (alert != nullptr)
        {
            KorvelWidgetStyle::releaseAlertLooks (*alert);
            delete alert.getComponent();
        }
    }

    for (auto* button : allButtons())
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }
}

juce::Array<juce::TextButton*> Setup::allButtons()
{
    return { &keySetupButton,    &getBrdStatButton, &midiFwUpdateButton, &getSwStatButton,
             &vn5FwUpdateButton, &keyCalibButton,   &sustCalibButton,    &factoryResetButton };
}

//==============================================================================
void Setup::paint (juce::Graphics& g)
{
    const auto w = getWidth();
    const auto h = getHeight();

    g.fillAll (juce::Colour (0xff2e3333));

    g.setColour (juce::Colours::grey);
    g.drawRect (juce::Rectangle<int> (5, 5, juce::jmax (0, w - 10), juce::jmax (0, h - 10)), 3);

    const auto bottom = (float) (owner.keyboardShown ? h - 130 : h - 40);
    const auto share = (int) ((float) w * 0.35f);
    const auto second = (int) ((float) w - (float) w * 0.35f);
    const auto first = second - share;

    g.drawLine ((float) first, 61.0f, (float) first, bottom, 2.0f);
    g.drawLine ((float) second, 62.0f, (float) second, bottom, 2.0f);
}

void Setup::resized()
{
}

void Setup::drawLabel (juce::Label* label, int x, int y, int, int, float fontHeight, juce::String text)
{
    KorvelWidgetStyle::caption (*this, *label, { x, y, 200, 30 }, fontHeight, text);
}

void Setup::setupBasicButton (juce::TextButton* button, int x, int y, int, int, juce::String name)
{
    KorvelWidgetStyle::button (*this, *button, this, buttonsLookAndFeel, { x, y, 40, 20 }, {}, name, true,
                               KorvelButtonColours { juce::Colours::lightgreen, juce::Colours::lightgreen });
}

//==============================================================================
void Setup::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "GetSWStat")
    {
        juce::MessageManager::callAsync (
            [safeThis = juce::Component::SafePointer<Setup> (this)]
            {
                if (safeThis != nullptr)
                    safeThis->showVersionAlert();
            });
    }
    else if (name == "GetBrdStat")
    {
        auto* window = new BoardStatusWindow (owner, *this);
        window->centreAroundComponent (getParentComponent(), window->getWidth(), window->getHeight());
        window->setVisible (true);
        window->addToDesktop();
        getBrdStatButton.setEnabled (false);
    }
    else if (name == "midiFwUpdate")
    {
        showMidiFirmWareAlert();
    }
    else if (name == "vn5FwUpdate")
    {
        showVn5FirmWareAlert();
    }
    else if (name == "keyCalib")
    {
        KeyCalibrationWindow::open (owner, *this);
    }
    else if (name == "sustCalib")
    {
        showSustainCalibrationWindow();
    }
    else if (name == "keySetup")
    {
        showKeyboardSetupWindow();
    }
    else if (name == "factoryReset")
    {
        showFactoryRestoreAlert();
    }
}

//==============================================================================
void Setup::showMidiFirmWareAlert()
{
    showConfirmation ("MIDI Firmware Update", [this] { openMidiFirmwareWindow(); });
}

void Setup::showVn5FirmWareAlert()
{
    showConfirmation ("Vorn 5 Firmware Update", [this] { openFirmwareUpdaterPage(); });
}

void Setup::showFactoryRestoreAlert()
{
    // The box opens after the click has been handled
    juce::MessageManager::callAsync (
        [safeThis = juce::Component::SafePointer<Setup> (this)]
        {
            if (safeThis != nullptr)
                safeThis->showConfirmation ("Factory Restore",
                                            [setup = safeThis.getComponent()] { setup->factoryRestore(); });
        });
}

void Setup::showVersionAlert()
{
    auto* alert = new juce::AlertWindow ("Current Version", "--", juce::MessageBoxIconType::NoIcon, nullptr);
    alert->setLookAndFeel (&versionAlertLookAndFeel);
    alert->addButton ("OK", 0, juce::KeyPress (juce::KeyPress::escapeKey));
    KorvelWidgetStyle::alertButtons (*alert, buttonsLookAndFeel, { { 150, 125, 60, 35 } });
    runModal (alert, nullptr);
}

void Setup::showSustainCalibrationWindow()
{
    SustainCalibrationWindow::open (owner, *this);
}

void Setup::showKeyboardSetupWindow()
{
    KeyboardSetupWindow::open (owner, *this);
}

void Setup::showConfirmation (const juce::String& title, std::function<void()> onYes)
{
    auto* alert =
        new juce::AlertWindow (title, "Are You Absolutely Sure?", juce::MessageBoxIconType::NoIcon, nullptr);
    alert->setLookAndFeel (&alertLookAndFeel);
    alert->addButton ("Yes", 1, juce::KeyPress (juce::KeyPress::returnKey));
    alert->addButton ("No", 0, juce::KeyPress (juce::KeyPress::escapeKey));
    KorvelWidgetStyle::alertButtons (*alert, buttonsLookAndFeel,
                                     { { 75, 125, 60, 35 }, { 215, 125, 60, 35 } });
    runModal (alert, std::move (onYes));
}

void Setup::runModal (juce::AlertWindow* alert, std::function<void()> onYes)
{
    // Above the always-on-top tool windows, which would otherwise hide a modal box
    alert->setAlwaysOnTop (true);
    alert->setSize (350, 180);
    alert->centreAroundComponent (nullptr, 350, 180);

    juce::Component::SafePointer<juce::AlertWindow> safeAlert (alert);
    openAlerts.removeIf ([] (const auto& open) { return open == nullptr; });
    openAlerts.add (safeAlert);

    // When the panel goes first it deletes the alert, and this runs with result 0.
    KorvelWidgetStyle::enterModal (*alert,
                                   [onYes = std::move (onYes)] (int result)
                                   {
                                       if (result == 1 && onYes)
                                           onYes();
                                   });
}

//==============================================================================
void Setup::openMidiFirmwareWindow()
{
    auto* window = new BoardStatusWindow (owner, *this);
    window->centreAroundComponent (getParentComponent(), window->getWidth(), window->getHeight());
    window->showFirmwareUpdateStatus();
    window->setVisible (true);
    window->addToDesktop();
    midiFwUpdateButton.setEnabled (false);
}

void Setup::openFirmwareUpdaterPage()
{
    const juce::URL page (firmwareUpdaterPage);

    if (!launchWebPage (page))
        owner.logOutMessage ("Could not open " + page.toString (false) + " in the default browser");
}

void Setup::factoryRestore()
{
    owner.logOutMessage ("Factory Restore");
    owner.sendToInstrument (midi9_short_command (M9_FACTORY_RESTORE));

    if (owner.instrumentInputFound == 1 && owner.instrumentOutputFound == 1)
    {
        for (auto command : { M9_KEY_SPLIT, M9_MIDDLE_C_REFERENCE, M9_MIDI_CHANNEL })
            owner.sendToInstrument (midi9_query_frame (command));
    }

    owner.controls.midiResolutionBox.setSelectedId (1, juce::sendNotificationAsync);
}
