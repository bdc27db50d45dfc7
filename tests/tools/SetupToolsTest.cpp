#include "support/InstrumentFixture.h"
#include "support/Snapshot.h"
#include "tools/BoardStatus.h"
#include "tools/FirmwareUpdateStatus.h"

using testhelpers::pumpMessages;
using testhelpers::pumpUntil;
using testhelpers::writeSnapshot;

namespace
{
using Bytes = SimulatedInstrument::Bytes;

class SetupTools : public InstrumentFixture
{
protected:
    void SetUp() override
    {
        folder.createDirectory();
        previousLauncher = std::exchange (Setup::launchWebPage,
                                          [this] (const juce::URL& url)
                                          {
                                              openedPages.add (url.toString (false));
                                              return true;
                                          });
        FirmwareUpdateStatus::chooseFile = [this] (auto whenChosen) { whenChosen (nextFile); };
    }

    void TearDown() override
    {
        InstrumentFixture::TearDown();
        Setup::launchWebPage = previousLauncher;
        FirmwareUpdateStatus::chooseFile = nullptr;
        folder.deleteRecursively();
    }

    SimulatedFirmwareReceiver& receiver() { return instrument.getFirmwareReceiver(); }

    FirmwareUpdateStatus* dialog() { return find<FirmwareUpdateStatus> ("MIDI Firmware Update"); }

    juce::File writeImage (const juce::String& name, const Bytes& bytes)
    {
        auto file = folder.getChildFile (name);
        file.replaceWithData (bytes.data(), bytes.size());
        file.create(); // JUCE deletes rather than writes an empty file
        return file;
    }

    static Bytes randomImage (int size, int seed)
    {
        juce::Random random (seed);
        Bytes bytes ((size_t) size);
        for (auto& b : bytes)
            b = (u8) random.nextInt (256);
        return bytes;
    }

    /** From the Setup panel through the confirmation to the dialog in its file-choice view. */
    void openFirmwareWindow()
    {
        click ("SetupMenu");
        click ("midiFwUpdate");
        click ("Yes");
        ASSERT_NE (await<FirmwareUpdateStatus> ("MIDI Firmware Update"), nullptr);
    }

    void upload (const juce::File& file)
    {
        nextFile = file;
        click ("fwUpdateStatusBrowse");
        click ("fwUpdateStatusStart");
    }

    bool dialogGone() { return gone<FirmwareUpdateStatus> ("MIDI Firmware Update"); }

    bool dialogReaches (int state)
    {
        return pumpUntil ([&] { return dialog()->state == state; }, 30000);
    }

    juce::File folder { juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getNonexistentChildFile ("vn5-firmware", {}, false) };
    juce::File nextFile;
    juce::StringArray openedPages;
    std::function<bool (const juce::URL&)> previousLauncher;
};

TEST_F (SetupTools, FactoryRestoreVersionBoxAndFirmwarePageFromTheSetupPanel)
{
    start();
    settle();
    click ("SetupMenu");
    writeSnapshot (content->setup, "setup-view");

    // The queries only go when both of the instrument's ports were found
    for (const bool bothPorts : { true, false })
    {
        instrument.clearReceived();
        content->clearLines();
        content->controls.midiResolutionBox.setSelectedId (2, juce::dontSendNotification);
        content->instrumentInputFound = bothPorts ? 1 : 0;

        click ("factoryReset");
        writeSnapshot (*await<juce::AlertWindow> ("Factory Restore"), "setup-factory-restore-box");
        click ("Yes");

        std::vector<Bytes> expected { midi9_short_command (M9_FACTORY_RESTORE) };
        if (bothPorts)
            for (auto command : { M9_KEY_SPLIT, M9_MIDDLE_C_REFERENCE, M9_MIDI_CHANNEL })
                expected.push_back (midi9_query_frame (command));

        ASSERT_TRUE (pumpUntil ([&] { return instrument.getReceived().size() >= expected.size(); }));
        settle();
        auto received = instrument.getReceivedBytes();
        EXPECT_EQ (instrument.countReceived (midi9_query_frame (M9_KEY_SPLIT)), bothPorts ? 1 : 0);
        received.resize (std::min (received.size(), expected.size()));
        EXPECT_EQ (received, expected);
        EXPECT_EQ (content->getOutLines().front(), "Factory Restore");
        EXPECT_EQ (content->countOutLines ("Factory Restore"), 1);
        EXPECT_EQ (content->controls.midiResolutionBox.getSelectedId(), 1);
    }
    content->instrumentInputFound = 1;

    // The board-firmware page opens in the browser; the instrument hears nothing of it
    instrument.clearReceived();
    click ("vn5FwUpdate");
    click ("Yes");
    EXPECT_TRUE (pumpUntil ([&] { return !openedPages.isEmpty(); }));
    settle();
    EXPECT_EQ (openedPages,
               juce::StringArray { "https://www.korvel-instruments.example/vn5-firmware-updater-page/" });
    EXPECT_TRUE (instrument.getReceived().empty());

    click ("GetSWStat");
    auto* versionBox = await<juce::AlertWindow> ("Current Version");
    ASSERT_NE (versionBox, nullptr);
    writeSnapshot (*versionBox, "setup-version-box");
    click ("OK");
    EXPECT_TRUE (gone<juce::AlertWindow> ("Current Version"));
}

TEST_F (SetupTools, BoardStatusShowsWhatEachBoardReports)
{
    start();
    settle();
    click ("SetupMenu");

    using Layout = SimulatedInstrument::BoardLayout;

    for (const auto& layout : { Layout::oneBoard(), Layout::twoBoards(), Layout::fourBoards() })
    {
        instrument.setBoardLayout (layout);
        juce::StringArray expected;
        for (int b = 0; b < 4; ++b)
            expected.add (juce::String (layout.sizes[(size_t) b]));
        for (int b = 0; b < 4; ++b)
            expected.add (layout.sizes[(size_t) b] == 0
                              ? juce::String ("n/a")
                              : juce::String::formatted ("v2.%d_0%dJan2025", b + 1, b + 2));

        click ("GetBrdStat");
        auto* panel = await<BoardStatus> ("Board Status");
        ASSERT_NE (panel, nullptr);
        EXPECT_FALSE (content->setup.getBrdStatButton.isEnabled());

        auto shown = [panel]
        {
            juce::StringArray texts;
            for (auto& editor : panel->boardSizeEditors)
                texts.add (editor.getText());
            for (auto& editor : panel->firmwareEditors)
                texts.add (editor.getText());
            return texts;
        };
        EXPECT_TRUE (pumpUntil ([&] { return shown() == expected; })) << shown().joinIntoString (" | ");

        // A second request fills the same rows again
        for (auto& editor : panel->firmwareEditors)
            editor.clear();
        click ("brdStatusGet");
        EXPECT_TRUE (pumpUntil ([&] { return shown() == expected; })) << shown().joinIntoString (" | ");

        writeSnapshot (*panel, "board-status-" + juce::String (layout.sizes[0]));
        // "Update FW" asks above this always-on-top window rather than behind it
        click ("brdStatusUpdate");
        auto* box = await<juce::AlertWindow> ("MIDI Firmware Update");
        ASSERT_NE (box, nullptr);
        EXPECT_TRUE (box->isAlwaysOnTop());
        click ("No");

        click ("brdStatusCancel");
        EXPECT_TRUE (gone<BoardStatus> ("Board Status"));
        EXPECT_TRUE (content->setup.getBrdStatButton.isEnabled());
    }
}

TEST_F (SetupTools, FirmwareUpdateFromABinFileToSuccess)
{
    instrument.setBoardLayout (SimulatedInstrument::BoardLayout::twoBoards());
    start();
    pollPresence();
    settle();

    // Board one's last progress step falls well before the end of this image
    const auto image = randomImage (6000, 1);
    openFirmwareWindow();
    writeSnapshot (*dialog(), "firmware-view-1");
    upload (writeImage ("vn5-midi.bin", image));
    EXPECT_TRUE (pumpUntil ([&] { return hasInLine ("Found MIDI firmware update file: 6000 bytes"); }));
    writeSnapshot (*dialog(), "firmware-view-2");

    ASSERT_TRUE (dialogReaches (3));
    EXPECT_EQ (receiver().getImage(), image);
    EXPECT_EQ (receiver().getTargetId(), 9);
    pumpMessages (400); // the bar catches up with the progress
    writeSnapshot (*dialog(), "firmware-view-3");

    // The power cycle that step 2 asks for cuts off no stream
    instrument.unplug();
    pollPresence();
    pumpMessages (300);
    instrument.plug();
    pollPresence();
    settle();
    EXPECT_EQ (content->countOutLines ("Instrument disconnected during the MIDI firmware update"), 0);

    instrument.setReplyDelay (3);
    click ("fwUpdateStatusNext");
    click ("NEXT");
    ASSERT_TRUE (dialogReaches (5));
    EXPECT_EQ (instrument.countReceived (midi9_short_command (M9_FIRMWARE_STEP_2)), 1);
    writeSnapshot (*dialog(), "firmware-view-5");

    ASSERT_TRUE (dialogReaches (8));
    EXPECT_EQ (dialog()->statusLabel.getText(), "Success!");
    EXPECT_FALSE (dialog()->closeButton.isEnabled());
    writeSnapshot (*dialog(), "firmware-view-8");

    ASSERT_TRUE (pumpUntil ([&] { return dialog()->closeButton.isEnabled(); }));
    click ("fwUpdateStatusClose");
    click ("OK");
    EXPECT_TRUE (dialogGone());
    EXPECT_TRUE (content->setup.midiFwUpdateButton.isEnabled());
    EXPECT_EQ (content->firmwareProgress, 0.0f);
}

TEST_F (SetupTools, ToolWindowsClosedFromOutsideTakeTheirPanelsWayOut)
{
    start();
    pollPresence();
    settle();
    click ("SetupMenu");

    for (const auto way : { altF4, windowManager })
    {
        click ("GetBrdStat");
        closeFromOutside (await<BoardStatus> ("Board Status"), way);
        EXPECT_TRUE (content->setup.getBrdStatButton.isEnabled());

        // Choosing a file, CLOSE asks first; uploading, CANCEL leaves the stream to run to its end
        openFirmwareWindow();
        closeFromOutside (dialog(), way);
        click ("OK");
        EXPECT_TRUE (content->setup.midiFwUpdateButton.isEnabled());

        const auto image = randomImage (6000, 5 + way);
        openFirmwareWindow();
        upload (writeImage ("image.bin", image));
        closeFromOutside (dialog(), way);
        EXPECT_TRUE (dialogGone());
        EXPECT_TRUE (content->setup.midiFwUpdateButton.isEnabled());
        EXPECT_TRUE (pumpUntil ([&] { return receiver().getImage() == image; }));
    }
}

TEST_F (SetupTools, ImageFilesThatCannotBeSentWholeKeepTheFileChoice)
{
    start();
    settle();

    struct Row
    {
        juce::String name;
        int size; // -1: a folder, which cannot be read; -2: gone by the time START is pressed
        juce::String status; // empty: the upload starts
    };

    for (const auto& row : { Row { "empty.bin", 0, "The file is empty." },
                             Row { "large.bin", 400001, "File larger than 400,000 bytes." },
                             Row { "unreadable.bin", -1, "The file cannot be read." },
                             Row { "missing.bin", -2, "File not found." }, Row { "full.bin", 400000, {} } })
    {
        auto file = row.size == -1 ? folder.getChildFile (row.name)
                                   : writeImage (row.name, randomImage (juce::jmax (0, row.size), 2));
        if (row.size == -1)
            file.createDirectory();

        openFirmwareWindow();
        nextFile = file;
        click ("fwUpdateStatusBrowse");
        if (row.size == -2)
            file.deleteFile();
        click ("fwUpdateStatusStart");

        const auto sizeLine =
            "Found MIDI firmware update file: " + juce::String (juce::jmax (0ll, file.getSize())) + " bytes";
        EXPECT_TRUE (pumpUntil ([&] { return hasInLine (sizeLine); })) << row.name;
        settle();
        EXPECT_EQ (instrument.countReceived (midi9_short_command (M9_DEEP_CHILL)),
                   row.status.isEmpty() ? 1 : 0);

        if (row.status.isNotEmpty())
        {
            EXPECT_EQ (dialog()->state, 1) << row.name;
            EXPECT_EQ (dialog()->statusLabel.getText(), row.status);
            writeSnapshot (*dialog(), "firmware-view-1-" + row.name);
            click ("fwUpdateStatusClose");
            click ("OK");
            EXPECT_TRUE (dialogGone());
        }
    }

    EXPECT_EQ (dialog()->state, 2);
    EXPECT_TRUE (pumpUntil ([&] { return receiver().getNumDataPackets() > 10; }));
    EXPECT_EQ (receiver().getAnnouncedSize(), 400000u);
}

TEST_F (SetupTools, UploadRecoversFromCancelAndFromTheInstrumentUnpluggedMidway)
{
    start();
    pollPresence();
    settle();
    const auto small = randomImage (6000, 3);

    // Cancelled once board one is done: the shared progress keeps its value...
    openFirmwareWindow();
    upload (writeImage ("first.bin", small));
    ASSERT_TRUE (dialogReaches (3));
    click ("fwUpdateStatusCancel");
    EXPECT_TRUE (dialogGone());
    EXPECT_EQ (content->firmwareProgress, 0.25f);

    // ...but the next upload starts from nothing rather than from board one done
    openFirmwareWindow();
    upload (writeImage ("second.bin", randomImage (120000, 4)));
    ASSERT_TRUE (pumpUntil ([&] { return receiver().getNumDataPackets() > 300; }));
    EXPECT_EQ (dialog()->state, 2);

    instrument.unplug();
    pollPresence();
    EXPECT_TRUE (pumpUntil (
        [&]
        { return content->countOutLines ("Instrument disconnected during the MIDI firmware update") == 1; }));

    // Back again, the instrument hears nothing more of the interrupted image
    instrument.plug();
    pollPresence();
    settle();
    const auto packets = receiver().getNumDataPackets();
    pumpMessages (100);
    EXPECT_EQ (receiver().getNumDataPackets(), packets);

    click ("fwUpdateStatusCancel");
    EXPECT_TRUE (dialogGone());

    openFirmwareWindow();
    upload (writeImage ("third.bin", small));
    ASSERT_TRUE (dialogReaches (3));
    EXPECT_EQ (receiver().getImage(), small);
}
} // namespace
