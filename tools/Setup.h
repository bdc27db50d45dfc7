#pragma once

#include "lookandfeel/KorvelCustomAlertWindow.h"
#include "lookandfeel/KorvelCustomButtons.h"
#include "lookandfeel/KorvelVersionAlertWindow.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

class MainContentComponent;

//==============================================================================
/**
    The SETUP view: software version, board status, the two firmware updates, the
    calibrations and factory restore, each behind a small LED-style button. Every window
    or alert it opens owns itself; the panel keeps no other state.
*/
class Setup : public juce::Component, public juce::Button::Listener
{
public:
    explicit Setup (MainContentComponent& ownerToUse);
    ~Setup() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

    void drawLabel (juce::Label* label, int x, int y, int width, int height, float fontHeight,
                    juce::String text);
    void setupBasicButton (juce::TextButton* button, int x, int y, int width, int height, juce::String name);

    /** The Yes/No confirmations; Yes opens the firmware window, the web page or the factory restore. */
    void showMidiFirmWareAlert();
    void showVn5FirmWareAlert();
    void showFactoryRestoreAlert();

    void showVersionAlert();
    void showSustainCalibrationWindow();
    void showKeyboardSetupWindow();

    /** The board-firmware updater page. */
    static constexpr const char* firmwareUpdaterPage =
        "https://www.korvel-instruments.example/vn5-firmware-updater-page/";

    /** Opens a page in the default browser and says whether it could; tests replace it so
        that no browser starts. */
    static std::function<bool (const juce::URL&)> launchWebPage;

    juce::TextButton keySetupButton, getBrdStatButton, midiFwUpdateButton, getSwStatButton;
    juce::Label softwareStatusCaption, firmwareStatusCaption, versionCaption, boardStatusCaption,
        midiFirmwareCaption, vn5FirmwareCaption, calibrationCaption, keyCalibCaption, sustCalibCaption,
        keySetupCaption, factoryResetCaption;
    juce::TextButton vn5FwUpdateButton, keyCalibButton, sustCalibButton, factoryResetButton;

    MainContentComponent& owner;

    juce::KorvelCustomButtons buttonsLookAndFeel;
    juce::KorvelCustomAlertWindow alertLookAndFeel;
    juce::KorvelVersionAlertWindow versionAlertLookAndFeel;

private:
    juce::Array<juce::TextButton*> allButtons();

    void showConfirmation (const juce::String& title, std::function<void()> onYes);
    void runModal (juce::AlertWindow* alert, std::function<void()> onYes);

    void openMidiFirmwareWindow();
    void openFirmwareUpdaterPage();
    void factoryRestore();

    // Alerts still open; they use this panel's looks, so they go with it.
    juce::Array<juce::Component::SafePointer<juce::AlertWindow>> openAlerts;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Setup)
};
