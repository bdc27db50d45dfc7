#include "support/CentralComponentFixture.h"

#include <thread>

namespace
{
class Logging : public CentralComponentFixture
{
};

// The editors keep line breaks as "\n"; the posted text carries CR LF.
juce::String lines (std::initializer_list<const char*> texts)
{
    juce::String result;
    for (auto* t : texts)
        result << t << "\n";
    return result;
}

TEST_F (Logging, LinesEndWithLineBreaksAndGoToTheirOwnLog)
{
    content->logMessage ("first in");
    content->logOutMessage ("first out");
    content->logMessage ("second in");
    settle();

    EXPECT_EQ (inLog(), lines ({ "first in", "second in" }));
    EXPECT_EQ (outLog(), lines ({ "first out" }));
}

TEST_F (Logging, ProgressDotsStayOnOneLine)
{
    content->logMessage (".");
    content->logMessage (".");
    content->logMessage (".");
    content->logMessage ("done");
    settle();

    EXPECT_EQ (inLog(), "...done\n");
}

TEST_F (Logging, OutLogHasNoDotRule)
{
    content->logOutMessage (".");
    content->logOutMessage (".");
    settle();

    EXPECT_EQ (outLog(), ".\n.\n");
}

TEST_F (Logging, LinesFromOtherThreadsArriveWholeAndInOrder)
{
    constexpr int numLines = 300;

    std::thread writer (
        [this]
        {
            for (int i = 0; i < numLines; ++i)
                content->logOutMessage ("line " + juce::String (i) + " of the writer thread");
        });
    writer.join();
    settle();

    juce::StringArray received;
    received.addLines (outLog());
    received.removeEmptyStrings();

    ASSERT_EQ (received.size(), numLines);
    for (int i = 0; i < numLines; ++i)
        EXPECT_EQ (received[i], "line " + juce::String (i) + " of the writer thread");
}

TEST_F (Logging, InLogDropsItsOldestLineBeyond2000Characters)
{
    const juce::String line39 = juce::String::repeatedString ("x", 37) + "\r\n"; // 38 chars kept per line

    // Fill to 2001 characters or more, then append one line.
    int written = 0;
    int count = 0;
    while (written < 2001)
    {
        content->logMessage (juce::String (count).paddedLeft ('0', 3) + line39.substring (3).trimEnd());
        written += 38;
        ++count;
    }
    settle();

    const auto before = inLog();
    ASSERT_GE (before.length(), 2001);
    ASSERT_TRUE (before.startsWith ("000"));

    const juce::String newest = juce::String::repeatedString ("n", 40);
    content->logMessage (newest);
    settle();

    const auto after = inLog();
    EXPECT_TRUE (after.startsWith ("001")) << "the first line goes, whole";
    EXPECT_TRUE (after.endsWith (newest + "\n"));
    EXPECT_EQ (after, before.fromFirstOccurrenceOf ("\n", false, false) + newest + "\n");
}

TEST_F (Logging, TrimmingTheInLogLeavesTheClipboardAlone)
{
    juce::SystemClipboard::copyTextToClipboard ("the user's own copy");

    for (int i = 0; i < 120; ++i)
        content->logMessage ("a line that fills the received log quickly #" + juce::String (i));
    settle();

    EXPECT_LE (inLog().length(), 2100);
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), "the user's own copy");
}

TEST_F (Logging, OutLogKeepsEveryLine)
{
    for (int i = 0; i < 200; ++i)
        content->logOutMessage ("sent frame number " + juce::String (i));
    settle();

    EXPECT_GT (outLog().length(), 3000);
    EXPECT_TRUE (outLog().startsWith ("sent frame number 0\n"));
}

TEST_F (Logging, LinesAreDroppedWhileNoMonitorViewExistsAndNotReplayed)
{
    content->monitorWindow->closeButtonPressed();
    ASSERT_EQ (content->monitorWindow, nullptr);

    content->logMessage ("lost in");
    content->logOutMessage ("lost out");
    settle();

    content->showMonitorClicked();
    ASSERT_NE (content->monitorWindow, nullptr);
    settle();

    EXPECT_FALSE (inLog().contains ("lost"));
    EXPECT_FALSE (outLog().contains ("lost"));

    content->logMessage ("kept");
    settle();
    EXPECT_TRUE (inLog().contains ("kept"));
}

TEST_F (Logging, LinesPostedJustBeforeTheComponentGoesAreDroppedSafely)
{
    content->logMessage ("posted");
    content->logOutMessage ("posted");
    content.reset();
    settle(); // the posted calls find no component and do nothing
    SUCCEED();
}
} // namespace
