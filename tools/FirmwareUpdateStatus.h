#pragma once

#include "lookandfeel/KorvelCustomButtons.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

class MainContentComponent;
class Setup;
class BoardStatusWindow;

//==============================================================================
/** What timer 1 makes of the progress once board one is done: a status text, the
    success view, or nothing. */
struct FirmwareProgressStep
{
    const char* status = nullptr;
    bool success = false;
};

FirmwareProgressStep firmwareProgressStep (double progress);

/** A firmware image as read from its file: the size the file system reports, the bytes
    read, and why it cannot be used (empty when it can). */
struct FirmwareImageFile
{
    juce::int64 sizeFound = 0;
    juce::MemoryBlock bytes;
    juce::String problem;
};

FirmwareImageFile readFirmwareImageFile (const juce::File& file);

//==============================================================================
/**
    The MIDI firmware update dialog: choose a ".bin" file, upload it to board one and
    follow it, then ask for the power cycle and follow the remaining boards to the end.
    The views are numbered 1 (file choice), 2 (board one loading), 3 (board one done),
    5 (remaining boards loading) and 8 (success).
*/
class FirmwareUpdateStatus : public juce::Component,
                             public juce::Button::Listener,
                             public juce::ComboBox::Listener,
                             private juce::MultiTimer
{
public:
    explicit FirmwareUpdateStatus (BoardStatusWindow& windowToUse);
    ~FirmwareUpdateStatus() override;

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void comboBoxChanged (juce::ComboBox*) override { }

    juce::String getSelectedFilePath() const;

    /** The way out the dialog shows now: CANCEL where it is shown, else CLOSE with its
        question where it can be pressed, else nothing. */
    void leave();

    void drawLabel (juce::Label* label, int x, int y, int width, int height, float fontHeight,
                    juce::String text);
    void setupButtons (juce::TextButton* button, int x, int y, int width, int height, juce::String text,
                       juce::String name, bool generic);

    /** Asks for a firmware file and calls back with it, or with no file when the user
        cancels. Unset, JUCE's file chooser asks; tests answer in its place. */
    using FileRequest = std::function<void (std::function<void (const juce::File&)>)>;
    static FileRequest chooseFile;

    double progress = 0.0;
    bool boardOneDone = false;
    int state = 1;
    juce::Label statusLabel, powerCycleLabel;
    juce::TextButton browseButton, startButton, closeButton;
    juce::ComboBox fileBox;
    juce::ProgressBar progressBar { progress };
    juce::TextButton cancelButton, nextButton;
    MainContentComponent* owner;
    BoardStatusWindow* window;
    Setup* setup;
    juce::KorvelCustomButtons buttonsLookAndFeel;
    juce::StringArray filePaths;
    std::function<void()> closeCallback;

private:
    void timerCallback (int timerID) override;

    void browse();
    void fileChosen (const juce::File& file);
    void start();
    void askForStepTwo();
    void askToClose();
    void cancel();

    /** A modal question; onFirstButton runs when its first of two buttons is chosen. */
    void ask (const juce::String& title, const juce::String& message, const juce::StringArray& buttons,
              std::function<void()> onFirstButton);

    void enterState (int newState);
    void showStatus (const juce::String& text, int y, int extraWidth, int height);
    void watchProgress();
    void followRemainingBoards();
    void noticeDisconnection();

    std::unique_ptr<juce::FileChooser> fileChooser;
    juce::Component::SafePointer<juce::AlertWindow> openBox;
    bool instrumentWasConnected = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FirmwareUpdateStatus)
};
