#include "BoardStatus.h"

#include "FirmwareUpdateStatus.h"
#include "Setup.h"
#include "app/MainContentComponent.h"
#include "lookandfeel/KorvelWidgetStyle.h"
#include "protocol/Midi9Frame.h"
#include "protocol/Midi9Parser.h"

BoardStatus::BoardStatus (MainContentComponent& ownerToUse, Setup& setupToUse, BoardStatusWindow& windowToUse)
    : setup (&setupToUse), owner (&ownerToUse), window (&windowToUse)
{
    setName ("Board Status");
    setSize (400, 240);

    setupButtons (&cancelButton, 310, 185, 30, 20, "X", "brdStatusCancel", false);
    cancelButton.setColour (juce::TextButton::textColourOffId, juce::Colours::red);
    cancelButton.setColour (juce::TextButton::textColourOnId, juce::Colours::red);
    setupButtons (&updateButton, 186, 185, 40, 20, {}, "brdStatusUpdate", true);
    setupButtons (&getButton, 60, 185, 40, 20, {}, "brdStatusGet", true);

    drawLabel (&getStatusCaption, 40, 212, 80, 15, 16.0f, "Get Status");
    drawLabel (&updateCaption, 162, 212, 80, 15, 16.0f, "Update FW");
    drawLabel (&closeCaption, 300, 212, 80, 15, 16.0f, "Close");

    for (int k = 0; k < 4; ++k)
        drawLabel (&boardLabels[(size_t) k], 10, 52 + 30 * k, 80, 15, 16.0f, "Board " + juce::String (k + 1));

    for (int k = 0; k < 4; ++k)
    {
        draw_text_editor (&boardSizeEditors[(size_t) k], 100, 50 + 30 * k, 50, 20);
        draw_text_editor (&firmwareEditors[(size_t) k], 180, 50 + 30 * k, 180, 20);
    }

    updateBoardStatus();
}

BoardStatus::~BoardStatus()
{
    stopTimer();

    for (auto* button : { &cancelButton, &updateButton, &getButton })
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }
}

//==============================================================================
void BoardStatus::setupButtons (juce::TextButton* button, int x, int, int width, int, juce::String text,
                                juce::String name, bool generic)
{
    KorvelWidgetStyle::button (*this, *button, this, buttonsLookAndFeel, { x, 185, width, 20 },
                               generic ? juce::String() : text, name, generic, KorvelButtonColours {});
}

void BoardStatus::drawLabel (juce::Label* label, int x, int y, int, int, float, juce::String text)
{
    KorvelWidgetStyle::caption (*this, *label, { x, y, 80, 15 }, 16.0f, text);
}

void BoardStatus::draw_text_editor (juce::TextEditor* editor, int x, int y, int width, int)
{
    addAndMakeVisible (*editor);
    editor->setMultiLine (false);
    editor->setReadOnly (true);
    editor->setBounds (x, y, width, 20);
    editor->setJustification (juce::Justification::horizontallyCentred);
}

//==============================================================================
bool BoardStatus::hitTest (int x, int y)
{
    // Only the buttons take the mouse; anywhere else the click drags the window.
    return ToolWindow::isOnAnyOf (x, y, { &cancelButton, &updateButton, &getButton });
}

void BoardStatus::paint (juce::Graphics& g)
{
    ToolWindow::paintPanel (g, *this, juce::Colours::darkgrey);

    g.setColour (juce::Colours::lightgrey);
    g.setFont (juce::Font (withDefaultMetrics (juce::FontOptions (20.0f))));
    g.drawText (getName(), juce::Rectangle<int> (10, 5, getWidth() - 20, 30), juce::Justification::centred,
                true);
}

void BoardStatus::resized()
{
}

void BoardStatus::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "brdStatusCancel")
    {
        cancel();
    }
    else if (name == "brdStatusUpdate")
    {
        setup->showMidiFirmWareAlert();
    }
    else if (name == "brdStatusGet")
    {
        updateBoardStatus();
    }
}

void BoardStatus::cancel()
{
    setup->getBrdStatButton.setEnabled (true);
    closeCallback();
}

//==============================================================================
void BoardStatus::updateBoardStatus()
{
    owner->firmwareVersions.fill ("n/a");
    owner->boardSizes.fill (0);

    // The version lines of this request fill the rows from board 1, whatever came before.
    midi9ParserState.versionSlot = 0;

    owner->setMidiInput();
    owner->logOutMessage ("Get Firmware Status");
    owner->sendToInstrument (midi9_short_command (M9_GET_FIRMWARE_STATUS));

    startTimer (250);
}

void BoardStatus::timerCallback()
{
    stopTimer();
    populateBoardStatus();
}

void BoardStatus::populateBoardStatus()
{
    for (size_t k = 0; k < 4; ++k)
    {
        boardSizeEditors[k].setText (juce::String ((int) owner->boardSizes[k]), juce::dontSendNotification);
        firmwareEditors[k].setText (owner->firmwareVersions[k], juce::dontSendNotification);
    }
}

//==============================================================================
BoardStatusWindow::BoardStatusWindow (MainContentComponent& ownerToUse, Setup& setupToUse)
    : ToolWindow ("Board Status", juce::DocumentWindow::allButtons), owner (ownerToUse), setup (setupToUse)
{
    showBoardStatus();
    setDraggable (true);
    centreWithSize (400, 240);
    setAlwaysOnTop (true);
}

void BoardStatusWindow::showBoardStatus()
{
    auto* content = new BoardStatus (owner, setup, *this);
    setToolContent (content, content->closeCallback, [content] { content->cancel(); });
}

void BoardStatusWindow::showFirmwareUpdateStatus()
{
    auto* content = new FirmwareUpdateStatus (*this);
    setToolContent (content, content->closeCallback, [content] { content->leave(); });
}
