#include "KeyCalibration.h"

#include "Setup.h"
#include "ToolTextArea.h"
#include "app/MainContentComponent.h"
#include "lookandfeel/KorvelWidgetStyle.h"
#include "protocol/Midi9Frame.h"
#include "protocol/MidiControllers.h"
#include "protocol/UmpTransport.h"

#include <algorithm>

namespace
{
const juce::String startText ("UPDATE ALL RESTS\n\nEnsure that all keys are in the proper rest position.\n\n"
                              "When ready, press START.\n\nDo not touch your keyboard during this process.");
const juce::String updatingRestsText (
    "UPDATING ALL RESTS\n\nCurrently processing all rest positions. Do not touch your keyboard during this "
    "process.\n\nThe keys on the keyboard will all turn purple when the calibration is complete.");
const juce::String
    allRestsText ("ALL 73 REST POSITIONS CALIBRATED\n\nPress NEXT to continue to calibrate all "
                  "DOWN Positions.");
const juce::String
    downPositionsText ("CALIBRATING ALL DOWN POSITIONS\n\nPress each individual key down all the "
                       "way until the keyboard is fully GREEN.\n\nWhen calibration is complete, "
                       "the keyboard will be fully GREEN.");
const juce::String completeText ("KEYBOARD CALIBRATION COMPLETE!\n\n73/73 Keys have been calibrated.\n\n"
                                 "You may now close this window.");
const juce::String singleNoteText ("Press a down a single note all the way\nuntil the key turns GREEN.\n\n");

constexpr int panelWidth = 600;
constexpr int panelHeight = 300;
} // namespace

//==============================================================================
KeyCalibration::KeyCalibration (MainContentComponent& ownerToUse, Setup& setupToUse)
    : owner (ownerToUse), setup (setupToUse)
{
    setVisible (true);
    setSize (panelWidth, panelHeight);
    const auto w = getWidth();

    KorvelWidgetStyle::caption (*this, title, { w / 2 - 75, 10, 150, 30 }, 22.0f, "Key Calibration");

    setupButtons (startButton, w / 2 - 250, 125, "Calibrate\nFull Keyboard", "keyCalStart");
    setupButtons (startSingleButton, w / 2 - 50, 125, "Calibrate\nSingle Note", "keyCalStartSingle");
    setupButtons (nextButton, w / 2 - 150, 75, "Next", "keyCalNext");
    nextButton.setVisible (false);
    setupButtons (closeButton, w / 2 + 165, 75, "Close", "keyCalClose");

    addAndMakeVisible (spinner);
    spinner.setBounds (420, 70, 120, 120);

    setupToolTextArea (*this, textArea, { 25, 75, 350, 150 }, 16.0f, startText);

    savedSplit = owner.keySplitNote;
}

KeyCalibration::~KeyCalibration()
{
    for (int id = 1; id <= 3; ++id)
        stopTimer (id);

    for (auto* button : { &startButton, &startSingleButton, &nextButton, &closeButton })
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }
}

void KeyCalibration::setupButtons (juce::TextButton& button, int x, int width, const juce::String& text,
                                   const juce::String& name)
{
    KorvelWidgetStyle::button (*this, button, this, buttonLook, { x, 240, width, 45 }, text, name, false,
                               KorvelButtonColours {});
}

bool KeyCalibration::hitTest (int x, int y)
{
    return ToolWindow::isOnAnyOf (x, y, { &startButton, &startSingleButton, &nextButton, &closeButton });
}

void KeyCalibration::paint (juce::Graphics& g)
{
    ToolWindow::paintPanel (g, *this, juce::Colour (0xff555555));
}

void KeyCalibration::resized()
{
}

//==============================================================================
bool KeyCalibration::allRestsFound (const std::array<u8, kNumKeys>& restFound)
{
    return countMissingRests (restFound) == 0;
}

int KeyCalibration::countMissingRests (const std::array<u8, kNumKeys>& restFound)
{
    return (int) std::count (restFound.begin(), restFound.end(), (u8) 0);
}

juce::String KeyCalibration::restResultsText (int failedRests)
{
    return "KEYBOARD CALIBRATION RESULTS:\n\n" + juce::String (kNumKeys - failedRests)
           + "/73 Rests found\n\nSee Keyboard for failed rests.";
}

juce::String KeyCalibration::singleNoteResultText (int note, u32 value)
{
    return singleNoteText + "The following note has been calibrated:\n\n"
           + juce::MidiMessage::getMidiNoteName (note, true, true, 3) + ", with a value of "
           + juce::String ((juce::uint64) value);
}

//==============================================================================
void KeyCalibration::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "keyCalClose")
        close();
    else if (name == "keyCalStart")
        startFullKeyboard();
    else if (name == "keyCalStartSingle")
        startSingleNote();
    else if (name == "keyCalNext")
        next();
}

void KeyCalibration::startFullKeyboard()
{
    leaveSplit();
    sendCalibrationMode (CAL_MODE_ALL_POSITIONS);
    owner.logOutMessage ("Entering Diagnostic Mode: ALL POSITION FINDS");
    owner.logOutMessage ("Key Calibration: Updating all rests...");
    owner.sendToInstrument (midi9_short_command (M9_KEY_ADJUST));
    setView (1);
}

void KeyCalibration::startSingleNote()
{
    leaveSplit();
    sendCalibrationMode (CAL_MODE_DOWN_POSITIONS);
    owner.logOutMessage ("Entering Diagnostic Mode: DOWN POSITION FINDS");
    sendDownUpdate();
    setView (6);
}

void KeyCalibration::next()
{
    if (view == 1)
    {
        owner.logOutMessage ("Key Calibration: Updating all down positions...");
        owner.calibrationFlags.active = 0;
        owner.calibrationFlags.keysReset = 1;
        clearKeys();

        // Keys pressed in an earlier calibration, or in single-note mode, must be pressed again.
        for (auto& found : owner.downFound)
            found.store (0);

        sendDownUpdate();
        owner.singleNoteFound = 0;
        startTimer (2, 500);
        setView (3);
    }
    else if (view == 6)
    {
        owner.calibrationFlags.active = 0;
        owner.calibrationFlags.keysReset = 1;
        clearKeys();
        sendCalibrationMode (CAL_MODE_DOWN_POSITIONS);
        sendDownUpdate();
        owner.singleNoteFound = 0;
        setView (6);
    }
}

void KeyCalibration::close()
{
    owner.calibrationFlags.active = 0;
    owner.calibrationFlags.restMode = 0;
    owner.calibrationFlags.downMode = 0;
    owner.calibrationFlags.keysReset = 1;
    clearKeys();

    sendFixedMode();
    owner.sendToInstrument (
        midi9_set_frame (M9_AFTER_PRESSURE_GAIN, juce::jmin (owner.gainBeforeCalibration & 0xff, 127)));

    owner.controls.pressureGainSlider.setValue (owner.gainBeforeCalibration, juce::sendNotificationSync);

    // The Controls panel reacts at once, as to the user, so its frames keep this order.
    // Only a started calibration took the split away; otherwise it stays as it is.
    if (splitTaken)
        owner.controls.keySplitSlider.setValue (savedSplit, juce::sendNotificationSync);

    owner.startTimer (5, 500);
    owner.singleNoteMode = 0;

    jassert (closeCallback != nullptr);

    if (closeCallback != nullptr)
        closeCallback();
}

//==============================================================================
void KeyCalibration::clearKeys()
{
    for (int note = kLowestKeyNote; note <= kHighestKeyNote; ++note)
        owner.feedIncomingMessage (juce::MidiMessage (0x80, note, 0xff, 0.0));
}

void KeyCalibration::leaveSplit()
{
    savedSplit = owner.keySplitNote;
    splitTaken = true;
    owner.controls.keySplitSlider.setValue (0, juce::sendNotificationSync);
}

void KeyCalibration::sendFixedMode()
{
    owner.logOutMessage ("Entering Fixed Mode.");
    owner.sendToInstrument (midi9_short_command (M9_KEY_ADJUST, KEY_ADJUST_FIXED_MODE));
}

void KeyCalibration::sendCalibrationMode (u32 mode)
{
    tunnel_ump_out (nrpn_message (NRPN_CALIBRATION_MODE, mode));
}

void KeyCalibration::sendDownUpdate()
{
    owner.sendToInstrument (midi9_short_command (M9_KEY_ADJUST, KEY_ADJUST_DOWN_POSITIONS));
}

//==============================================================================
void KeyCalibration::setView (int newView)
{
    const auto w = getWidth();
    auto& flags = owner.calibrationFlags;

    switch (newView)
    {
        case 1:
            view = newView;
            nextButton.setVisible (true);
            nextButton.setEnabled (false);
            startButton.setVisible (false);
            startSingleButton.setVisible (false);
            closeButton.setBounds (365, 240, 75, 45);
            flags.active = 1;
            flags.restMode = 1;
            flags.keysReset = 1;
            textArea.setText (updatingRestsText, false);
            timeOutCounter = 0;
            startTimer (1, 100);
            break;

        case 3:
            view = newView;
            nextButton.setEnabled (false);
            flags.active = 1;
            flags.downMode = 1;
            textArea.setText (downPositionsText, false);
            break;

        case 4:
            view = newView;
            nextButton.setVisible (false);
            spinner.setVisible (false);
            closeButton.setBounds (w / 2 - 37, 240, 75, 35);
            textArea.setText (completeText, false);
            break;

        case 5:
            view = newView;
            nextButton.setVisible (false);
            closeButton.setBounds (w / 2 - 37, 240, 75, 35);
            flags.active = 0;
            flags.restMode = 0;
            flags.downMode = 0;
            textArea.setText (restResultsText (failedRests), false);
            break;

        case 6:
            view = newView;
            owner.singleNoteArmed = 1;
            startButton.setVisible (false);
            startSingleButton.setVisible (false);
            closeButton.setBounds (w / 2 + 75, 240, 75, 45);
            closeButton.setButtonText ("Done");
            nextButton.setVisible (true);
            nextButton.setEnabled (false);
            nextButton.setBounds (w / 2 - 150, 240, 125, 45);
            nextButton.setButtonText ("Calibrate\nAnother Note");
            owner.singleNoteFound = 0;
            flags.active = 1;
            flags.restMode = 0;
            flags.downMode = 1;
            owner.singleNoteMode = 1;
            textArea.setText (singleNoteText, false);
            startTimer (3, 500);
            break;

        default:
            break;
    }
}

//==============================================================================
void KeyCalibration::timerCallback (int timerID)
{
    switch (timerID)
    {
        case 1:
            stopTimer (1);
            allRestsWait();
            break;

        case 2:
            stopTimer (2);
            allDownsWait();
            break;

        case 3:
            stopTimer (3);
            singleNoteWait();
            break;

        default:
            break;
    }
}

void KeyCalibration::allRestsWait()
{
    auto& restFound = owner.restFound;

    if (timeOutCounter < 50)
    {
        if (!allRestsFound (restFound))
        {
            ++timeOutCounter;
            startTimer (1, 100);
        }
        else
        {
            restFound.fill (0);
            timeOutCounter = 0;
            textArea.setText (allRestsText, false);
            nextButton.setEnabled (true);
        }
    }
    else
    {
        failedRests += countMissingRests (restFound);
        timeOutCounter = 0;
        setView (5);
    }
}

void KeyCalibration::allDownsWait()
{
    auto& downFound = owner.downFound;

    if (std::any_of (downFound.begin(), downFound.end(),
                     [] (const auto& found) { return found.load() == 0; }))
    {
        startTimer (2, 500);
        return;
    }

    for (auto& found : downFound)
        found.store (0);

    setView (4);
}

void KeyCalibration::singleNoteWait()
{
    if (owner.singleNoteFound != 1)
    {
        startTimer (3, 500);
        return;
    }

    textArea.setText (singleNoteResultText (owner.singleNoteNumber, owner.singleNoteValue), false);
    nextButton.setEnabled (true);
    owner.singleNoteArmed = 0;
    sendFixedMode();
}

//==============================================================================
KeyCalibrationWindow::KeyCalibrationWindow (MainContentComponent& ownerToUse, Setup& setupToUse)
    : ToolWindow ("Key Calibration", 7), owner (ownerToUse), setup (setupToUse)
{
}

void KeyCalibrationWindow::open (MainContentComponent& owner, Setup& setup)
{
    auto* window = new KeyCalibrationWindow (owner, setup);
    auto* panel = new KeyCalibration (owner, setup);

    window->setToolContent (panel, panel->closeCallback, [panel] { panel->close(); });
    window->centreAroundComponent (setup.getParentComponent(), panelWidth, panelHeight);
    window->setTopLeftPosition (window->getX(), window->getY() - 100);
    window->setVisible (true);
    window->addToDesktop();
    window->enterModalState (true, nullptr, true);

    // A calibration closed moments ago must not end this one when its delay runs out.
    owner.stopTimer (5);

    owner.monitorFilter.noteOn = 0;
    owner.monitorFilter.noteOff = 0;
    owner.restFound.fill (0);
    owner.gainBeforeCalibration = owner.afterPressureGain;
}
