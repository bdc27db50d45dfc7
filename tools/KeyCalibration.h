#pragma once

#include "CustomSpinner.h"
#include "app/ToolWindow.h"
#include "lookandfeel/KorvelCustomButtons.h"
#include "protocol/InstrumentRecords.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>

class MainContentComponent;
class Setup;

//==============================================================================
/**
    Calibrates the key sensors: either all 73 keys (the instrument finds every rest position,
    then the user presses every key fully down once), or one key at a time. While it runs the
    on-screen keyboard shows found keys purple (rests) and green (down positions); closing puts
    the instrument back into playing with the gain and split of before.
*/
class KeyCalibration : public juce::Component, public juce::Button::Listener, public juce::MultiTimer
{
public:
    KeyCalibration (MainContentComponent& ownerToUse, Setup& setupToUse);
    ~KeyCalibration() override;

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void timerCallback (int timerID) override;

    /** 1 updating rests, 3 down positions, 4 complete, 5 rest results, 6 single note. */
    void setView (int newView);

    void setupButtons (juce::TextButton& button, int x, int width, const juce::String& text,
                       const juce::String& name);

    /** Close and Done, in every view: back to playing with the gain and split of before. */
    void close();

    //==============================================================================
    static bool allRestsFound (const std::array<u8, kNumKeys>& restFound);
    static int countMissingRests (const std::array<u8, kNumKeys>& restFound);

    /** The text of the results view after a rest wait that timed out. */
    static juce::String restResultsText (int failedRests);

    /** The text of the single-note view once the instrument measured a key. */
    static juce::String singleNoteResultText (int note, u32 value);

    //==============================================================================
    int savedSplit = 0;
    int view = 0;
    int failedRests = 0;

    CustomSpinner spinner;
    juce::Label title;
    juce::TextButton startButton, startSingleButton, nextButton, closeButton;
    juce::TextEditor textArea;

    MainContentComponent& owner;
    Setup& setup;

    std::function<void()> closeCallback;

    juce::KorvelCustomButtons buttonLook;

private:
    void startFullKeyboard();
    void startSingleNote();
    void next();

    /** Releases every key of the on-screen keyboard, as note-offs from the instrument would. */
    void clearKeys();

    /** Split off for the calibration, remembering the split in force. */
    void leaveSplit();

    void sendFixedMode();
    void sendCalibrationMode (u32 mode);
    void sendDownUpdate();

    void allRestsWait();
    void allDownsWait();
    void singleNoteWait();

    // Ticks of this panel's rest wait, so that every window gets the whole wait.
    int timeOutCounter = 0;

    // Set once a start button switched the split off for the calibration.
    bool splitTaken = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyCalibration)
};

//==============================================================================
/** The modal window around KeyCalibration. */
class KeyCalibrationWindow : public ToolWindow
{
public:
    KeyCalibrationWindow (MainContentComponent& ownerToUse, Setup& setupToUse);

    /** Builds the window over the Setup panel's parent and shows it. */
    static void open (MainContentComponent& owner, Setup& setup);

    MainContentComponent& owner;
    Setup& setup;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyCalibrationWindow)
};
