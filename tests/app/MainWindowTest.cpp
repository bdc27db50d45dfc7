#include "app/JuceBox.h"
#include "app/MainContentComponent.h"
#include "app/MonitorWindow.h"
#include "support/TestHelpers.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <gtest/gtest.h>

TEST (MainWindow, OpensWithTitleAndSize)
{
    VirtualMidiDeviceLayer devices;
    JuceBox::MainWindow window ("KorvelVn5MidiCS_Projucer", devices);

    auto* content = dynamic_cast<MainContentComponent*> (window.getContentComponent());
    ASSERT_NE (content, nullptr);
    EXPECT_EQ (window.getName(), "VN5 MIDI Control System");
    EXPECT_EQ (content->getWidth(), 1140);
}
