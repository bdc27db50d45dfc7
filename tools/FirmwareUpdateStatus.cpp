#include "FirmwareUpdateStatus.h"

#include "BoardStatus.h"
#include "Setup.h"
#include "app/MainContentComponent.h"
#include "lookandfeel/KorvelWidgetStyle.h"
#include "protocol/FirmwareStream.h"
#include "protocol/Midi9Frame.h"
#include "protocol/Midi9Parser.h"

#include <cmath>
#include <limits>
#include <utility>

namespace
{
const juce::Colour accentColour (0xffde6a40);
const juce::Colour loadingColour (0xff88674b);
const juce::Colour doneTrackColour (0xff384747);

// Timer ids
constexpr int kBoardTimer = 1;
constexpr int kProgressTimer = 2;
constexpr int kDoneTimer = 4;

/** Progress ranges after board one, in the order they are tried; the first match applies. */
struct ProgressRow
{
    double from, to;
    bool fromIncluded, toIncluded;
    FirmwareProgressStep step;
};

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

const ProgressRow progressRows[] = {
    { 0.25, 0.5, true, false, { "Loading Board Two...", false } },
    { 0.5, 0.5, true, true, { "Board Two Updated...", false } },
    { (double) 0.505f, 0.75, false, false, { "Loading Board Three...", false } },
    { 0.75, 0.75, true, true, { "Board Three Updated...", false } },
    { 0.75, 0.99, false, false, { "Loading Board Four...", false } },
    { (double) 0.995f, kNoLimit, true, true, { nullptr, true } },
};
} // namespace

FirmwareProgressStep firmwareProgressStep (double p)
{
    for (const auto& row : progressRows)
    {
        const bool aboveFrom = row.fromIncluded ? p >= row.from : p > row.from;
        const bool belowTo = row.toIncluded ? p <= row.to : p < row.to;

        if (aboveFrom && belowTo)
            return row.step;
    }

    return {};
}

FirmwareImageFile readFirmwareImageFile (const juce::File& file)
{
    FirmwareImageFile image;

    if (file == juce::File() || !file.exists())
    {
        image.problem = "File not found.";
        return image;
    }

    image.sizeFound = file.getSize();

    if (image.sizeFound <= 0)
    {
        image.problem = "The file is empty.";
        return image;
    }

    if (image.sizeFound > kPartitionDataSize)
    {
        image.problem = "File larger than 400,000 bytes.";
        return image;
    }

    // Only what was actually read is kept, so nothing past it can be sent.
    juce::FileInputStream stream (file);
    int bytesRead = 0;

    if (stream.openedOk())
    {
        image.bytes.setSize ((size_t) image.sizeFound);
        bytesRead = juce::jmax (0, stream.read (image.bytes.getData(), (int) image.sizeFound));
    }

    image.bytes.setSize ((size_t) bytesRead);

    if (bytesRead != image.sizeFound)
        image.problem = "The file cannot be read.";

    return image;
}

FirmwareUpdateStatus::FileRequest FirmwareUpdateStatus::chooseFile;

//==============================================================================
FirmwareUpdateStatus::FirmwareUpdateStatus (BoardStatusWindow& windowToUse)
    : owner (&windowToUse.owner), window (&windowToUse), setup (&windowToUse.setup)
{
    setName ("MIDI Firmware Update");
    setSize (400, 240);
    const auto w = getWidth();

    drawLabel (&statusLabel, 0, 65, 0, 30, 20.0f, {});
    statusLabel.setColour (juce::Label::textColourId, accentColour);
    showStatus ("Select Update File (.bin):", 65, 0, 30);

    drawLabel (&powerCycleLabel, statusLabel.getX(), 80, 380, 30, 16.0f,
               "Power cycle your instrument\nto complete firmware update.");
    powerCycleLabel.setVisible (false);

    setupButtons (&browseButton, w / 2 + 90, 110, 75, 35, "BROWSE", "fwUpdateStatusBrowse", false);
    setupButtons (&startButton, w / 2 - 105, 185, 75, 35, "START", "fwUpdateStatusStart", false);
    setupButtons (&closeButton, w / 2 + 45, 185, 75, 35, "CLOSE", "fwUpdateStatusClose", false);
    setupButtons (&cancelButton, w / 2 - 37, 185, 75, 35, "CANCEL", "fwUpdateStatusCancel", false);
    setupButtons (&nextButton, w / 2 + 45, 185, 75, 35, "NEXT", "fwUpdateStatusNext", false);
    cancelButton.setVisible (false);
    nextButton.setVisible (false);

    addAndMakeVisible (fileBox);
    fileBox.setBounds (25, 113, 235, 25);
    fileBox.addListener (this);
    fileBox.setColour (juce::ComboBox::backgroundColourId, juce::Colour (0xff2e3333));
    fileBox.setColour (juce::ComboBox::textColourId, juce::Colours::lightgrey);

    addChildComponent (progressBar);

    instrumentWasConnected = owner->instrumentInputFound == 1 && owner->instrumentOutputFound == 1;
    startTimer (kBoardTimer, 100);
}

FirmwareUpdateStatus::~FirmwareUpdateStatus()
{
    for (auto* button : { &browseButton, &startButton, &closeButton, &cancelButton, &nextButton })
    {
        button->removeListener (this);
        button->setLookAndFeel (nullptr);
    }

    fileBox.removeListener (this);

    if (openBox != nullptr)
        delete openBox.getComponent();
    stopTimer (kBoardTimer);
    stopTimer (kProgressTimer);
    stopTimer (kDoneTimer);
}

//==============================================================================
void FirmwareUpdateStatus::drawLabel (juce::Label* label, int x, int y, int width, int height,
                                      float fontHeight, juce::String text)
{
    KorvelWidgetStyle::caption (*this, *label, { x, y, width, height }, fontHeight, text);
}

void FirmwareUpdateStatus::setupButtons (juce::TextButton* button, int x, int y, int, int, juce::String text,
                                         juce::String name, bool)
{
    KorvelWidgetStyle::button (*this, *button, this, buttonsLookAndFeel, { x, y, 75, 35 }, text, name, false,
                               KorvelButtonColours {});
}

juce::String FirmwareUpdateStatus::getSelectedFilePath() const
{
    const auto id = fileBox.getSelectedId();
    return (id >= 1 && id <= filePaths.size()) ? filePaths[id - 1] : juce::String();
}

//==============================================================================
bool FirmwareUpdateStatus::hitTest (int x, int y)
{
    // Hidden or not, only the buttons and the file list take the mouse; elsewhere the
    // click drags the window.
    return ToolWindow::isOnAnyOf (
        x, y, { &browseButton, &startButton, &closeButton, &cancelButton, &nextButton, &fileBox });
}

void FirmwareUpdateStatus::paint (juce::Graphics& g)
{
    ToolWindow::paintPanel (g, *this, juce::Colours::darkgrey);

    g.setColour (juce::Colours::lightgrey);
    g.setFont (juce::Font (withDefaultMetrics (juce::FontOptions (20.0f))));
    g.drawText (getName(), juce::Rectangle<int> (10, 5, getWidth() - 20, 30), juce::Justification::centred,
                true);
}

void FirmwareUpdateStatus::resized()
{
    const auto w = getWidth();
    const auto barBounds = [this] (int y) {
        return juce::Rectangle<int> (25, y, juce::jmax (0, getWidth() - 50),
                                     juce::jmax (0, getHeight() - 210));
    };

    switch (state)
    {
        case 3:
            cancelButton.setBounds (w / 2 + 45, 185, 75, 35);
            nextButton.setBounds (w / 2 - 120, 185, 75, 35);
            progressBar.setBounds (barBounds (105));
            break;
        case 5:
            cancelButton.setBounds (w / 2 - 37, 175, 75, 35);
            progressBar.setBounds (barBounds (105));
            break;
        case 8:
            closeButton.setBounds (w / 2 - 37, 175, 75, 35);
            progressBar.setBounds (barBounds (125));
            break;
        default:
            progressBar.setBounds (barBounds (105));
            break;
    }
}

void FirmwareUpdateStatus::showStatus (const juce::String& text, int y, int extraWidth, int height)
{
    const auto textWidth = (int) std::ceil (vn5::stringWidth (statusLabel.getFont(), text)) + extraWidth;
    statusLabel.setText (text, juce::dontSendNotification);
    statusLabel.setBounds ((getWidth() - textWidth) / 2, y, textWidth, height);
}

void FirmwareUpdateStatus::enterState (int newState)
{
    state = newState;

    switch (state)
    {
        case 2:
            for (auto* c : std::initializer_list<juce::Component*> { &browseButton, &startButton,
                                                                     &closeButton, &fileBox })
                c->setVisible (false);
            startTimer (kProgressTimer, 100);
            showStatus ("Loading Board One ...", 70, 0, 20);
            progressBar.setColour (juce::ProgressBar::foregroundColourId, loadingColour);
            progressBar.setVisible (true);
            cancelButton.setVisible (true);
            break;
        case 3:
            statusLabel.setText ("Board One Updated", juce::dontSendNotification);
            nextButton.setVisible (true);
            break;
        case 5:
            progressBar.setColour (juce::ProgressBar::foregroundColourId, loadingColour);
            showStatus ("Loading Remaining Boards...", 70, 0, 20);
            nextButton.setVisible (false);
            break;
        case 8:
            showStatus ("Success!", 55, 20, 20);
            powerCycleLabel.setVisible (true);
            startTimer (kDoneTimer, 2500);
            cancelButton.setVisible (false);
            closeButton.setButtonText ("DONE!");
            closeButton.setEnabled (false);
            closeButton.setVisible (true);
            break;
        default:
            break;
    }

    resized();
}

//==============================================================================
void FirmwareUpdateStatus::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "fwUpdateStatusClose")
        askToClose();
    else if (name == "fwUpdateStatusStart")
        start();
    else if (name == "fwUpdateStatusBrowse")
        browse();
    else if (name == "fwUpdateStatusNext")
        askForStepTwo();
    else if (name == "fwUpdateStatusCancel")
        cancel();
}

void FirmwareUpdateStatus::browse()
{
    auto whenChosen =
        [safeThis = juce::Component::SafePointer<FirmwareUpdateStatus> (this)] (const juce::File& file)
    {
        if (safeThis != nullptr && file != juce::File())
            safeThis->fileChosen (file);
    };

    if (chooseFile)
    {
        chooseFile (whenChosen);
        return;
    }

    // Without zenity or kdialog on Linux, JUCE falls back to its own chooser.
    fileChooser = std::make_unique<juce::FileChooser> ("Please select a file...", juce::File(), "*.bin");
    fileChooser->launchAsync (
        juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
        [whenChosen] (const juce::FileChooser& chooser) { whenChosen (chooser.getResult()); });
}

void FirmwareUpdateStatus::fileChosen (const juce::File& file)
{
    fileBox.clear (juce::sendNotificationAsync);
    filePaths.clear();
    fileBox.addItem (file.getFileName(), fileBox.getNumItems() + 1);
    filePaths.add (file.getFullPathName());
    fileBox.setSelectedId (fileBox.getNumItems(), juce::sendNotificationAsync);

    // A new choice clears what was said about the last one
    showStatus ("Select Update File (.bin):", 65, 0, 30);
}

void FirmwareUpdateStatus::start()
{
    if (fileBox.getNumItems() == 0)
    {
        ask ("Oops. . . ", "No file selected.\n\nPlease select a file to update the firmware.", { "OK" },
             nullptr);
        return;
    }

    const auto path = getSelectedFilePath();
    const auto image =
        readFirmwareImageFile (juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File());

    owner->logMessage ("Found MIDI firmware update file: " + juce::String (image.sizeFound) + " bytes");

    // A file that cannot be sent whole keeps the file choice open and says why.
    if (image.problem.isNotEmpty())
    {
        owner->logOutMessage ("MIDI firmware update not started: " + image.problem + " " + path);
        showStatus (image.problem, 65, 20, 30);
        return;
    }

    owner->logOutMessage ("Uploading firmware with: " + path);

    // This update's progress starts from nothing, whatever an earlier window left behind.
    owner->firmwareProgress = 0.0f;
    owner->progressBarCounters = {};
    midi9ParserState.dotCount = 0;

    ota_start_transfer (static_cast<const u8*> (image.bytes.getData()), (std::int64_t) image.bytes.getSize());
    enterState (2);
}

void FirmwareUpdateStatus::askForStepTwo()
{
    ask ("Firmware Update Step 2",
         "Before proceeding, turn the instrument off, wait 5 seconds, then turn back on. Then press NEXT.\n\n"
         "This process may take several minutes.",
         { "NEXT", "CANCEL" }, [this] { followRemainingBoards(); });
}

void FirmwareUpdateStatus::followRemainingBoards()
{
    enterState (5);
    owner->logOutMessage ("beginning step 2 of firmware update process");
    owner->sendToInstrument (midi9_short_command (M9_FIRMWARE_STEP_2));
    startTimer (kBoardTimer, 100);
}

void FirmwareUpdateStatus::askToClose()
{
    ask ("Firmware Update Complete", "Refresh Midi Ports on the Controls Panel.", { "OK", "CANCEL" },
         [this]
         {
             setup->midiFwUpdateButton.setEnabled (true);
             progress = 0.0;
             owner->firmwareProgress = 0.0f;
             owner->progressBarCounters = {};
             boardOneDone = false;
             closeCallback();
         });
}

void FirmwareUpdateStatus::leave()
{
    // An open question already stands between the user and the way out.
    if (openBox != nullptr)
        return;

    if (cancelButton.isVisible())
        cancel();
    else if (closeButton.isVisible() && closeButton.isEnabled())
        askToClose();
}

void FirmwareUpdateStatus::ask (const juce::String& title, const juce::String& message,
                                const juce::StringArray& buttons, std::function<void()> onFirstButton)
{
    auto* box = new juce::AlertWindow (title, message, juce::MessageBoxIconType::NoIcon);

    // With two buttons the first answers 1, the other 0; a lone button answers 0
    for (int i = 0; i < buttons.size(); ++i)
        box->addButton (buttons[i], (buttons.size() > 1 && i == 0) ? 1 : 0,
                        juce::KeyPress (i == 0 ? juce::KeyPress::returnKey : juce::KeyPress::escapeKey));

    // Above this always-on-top window, and never outliving the dialog it answers
    box->setAlwaysOnTop (true);
    openBox = box;

    KorvelWidgetStyle::enterModal (*box,
                                   [safeThis = juce::Component::SafePointer<FirmwareUpdateStatus> (this),
                                    onFirstButton = std::move (onFirstButton)] (int result)
                                   {
                                       if (safeThis != nullptr && result == 1 && onFirstButton)
                                           onFirstButton();
                                   });
}

void FirmwareUpdateStatus::cancel()
{
    // The stream, the shared progress and its counters are left as they are.
    setup->midiFwUpdateButton.setEnabled (true);
    progress = 0.0;
    closeCallback();
}

//==============================================================================
void FirmwareUpdateStatus::timerCallback (int timerID)
{
    switch (timerID)
    {
        case kProgressTimer:
            // The last progress lines carry the value a little past the end, which the bar
            // would draw as still busy
            progress = juce::jlimit (0.0, 1.0, (double) owner->firmwareProgress);
            noticeDisconnection();
            break;
        case kDoneTimer:
            stopTimer (kDoneTimer);
            closeButton.setEnabled (true);
            break;
        case kBoardTimer:
            watchProgress();
            break;
        default:
            break;
    }
}

void FirmwareUpdateStatus::watchProgress()
{
    if (!boardOneDone)
    {
        if (progress >= (double) 0.245f)
        {
            stopTimer (kBoardTimer);
            boardOneDone = true;
            progressBar.setColour (juce::ProgressBar::foregroundColourId, juce::Colours::green);
            progressBar.setColour (juce::ProgressBar::backgroundColourId, doneTrackColour);
            enterState (3);
            repaint();
        }
        return;
    }

    const auto step = firmwareProgressStep (progress);

    if (step.success)
    {
        enterState (8);
        progressBar.setColour (juce::ProgressBar::foregroundColourId, juce::Colours::green);
        stopTimer (kBoardTimer);
        stopTimer (kProgressTimer);
    }
    else if (step.status != nullptr)
    {
        showStatus (step.status, 65, 20, 20);
    }
}

void FirmwareUpdateStatus::noticeDisconnection()
{
    const bool connected = owner->instrumentInputFound == 1 && owner->instrumentOutputFound == 1;

    if (std::exchange (instrumentWasConnected, connected) == connected || connected)
        return;

    // Only a stream in flight is cut off; between streams the ports going and coming back is the
    // power cycle the update asks for. What was still to go of a cut stream would reach the
    // instrument after it comes back, unasked.
    if (!ota_close_streams_in_flight())
        return;

    owner->logOutMessage ("Instrument disconnected during the MIDI firmware update");

    if (state == 2)
        showStatus ("Instrument disconnected.", 70, 20, 20);
}
