#pragma once

#include "app/ToolWindow.h"
#include "lookandfeel/KorvelCustomButtons.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>

class MainContentComponent;
class Setup;
class BoardStatusWindow;

//==============================================================================
/**
    What the instrument reports about its boards: the key count and firmware version of
    boards 1 to 4. Each request resets the shown values, asks again and fills the fields
    250 ms later with whatever has arrived.
*/
class BoardStatus : public juce::Component, public juce::Button::Listener, private juce::Timer
{
public:
    BoardStatus (MainContentComponent& ownerToUse, Setup& setupToUse, BoardStatusWindow& windowToUse);
    ~BoardStatus() override;

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

    void updateBoardStatus();
    void populateBoardStatus();

    /** "X": gives the Setup panel its button back and closes the window. */
    void cancel();

    void setupButtons (juce::TextButton* button, int x, int y, int width, int height, juce::String text,
                       juce::String name, bool generic);
    void drawLabel (juce::Label* label, int x, int y, int width, int height, float fontHeight,
                    juce::String text);
    void draw_text_editor (juce::TextEditor* editor, int x, int y, int width, int height);

    std::array<juce::Label, 4> boardLabels;
    juce::Label getStatusCaption, updateCaption, closeCaption;
    juce::TextButton cancelButton, updateButton, getButton;
    std::array<juce::TextEditor, 4> boardSizeEditors;
    std::array<juce::TextEditor, 4> firmwareEditors;

    Setup* setup;
    MainContentComponent* owner;
    BoardStatusWindow* window;
    std::function<void()> closeCallback;
    juce::KorvelCustomButtons buttonsLookAndFeel;

private:
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BoardStatus)
};

//==============================================================================
/** The frame of the board status panel, and of the MIDI firmware update dialog that
    replaces it when the window is opened for an update. */
class BoardStatusWindow : public ToolWindow
{
public:
    BoardStatusWindow (MainContentComponent& ownerToUse, Setup& setupToUse);

    void showBoardStatus();
    void showFirmwareUpdateStatus();

    MainContentComponent& owner;
    Setup& setup;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BoardStatusWindow)
};
