#include "support/Snapshot.h"
#include "app/JuceBox.h"
#include "app/MainContentComponent.h"
#include "app/MonitorWindow.h"
#include "support/TestHelpers.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <gtest/gtest.h>

// Renders the main window and the Monitor View to PNG, to be looked at.
TEST (Snapshots, MainWindowAndMonitorView)
{
    VirtualMidiDeviceLayer devices;
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);
    auto& content = *dynamic_cast<MainContentComponent*> (window.getContentComponent());

    content.logMessage ("Note on    Ch.  1    C3    100");
    content.logOutMessage ("Get Board Size");
    testhelpers::pumpMessages (100);

    const auto mainFile = testhelpers::writeSnapshot (window, "main-window");
    const auto monitorFile = testhelpers::writeSnapshot (*content.monitorWindow, "monitor-view");

    EXPECT_GT (mainFile.getSize(), 0);
    EXPECT_GT (monitorFile.getSize(), 0);
}
