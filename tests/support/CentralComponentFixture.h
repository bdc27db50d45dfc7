#pragma once

#include "TestHelpers.h"
#include "VirtualMidiDeviceLayer.h"
#include "app/MainContentComponent.h"
#include "app/MonitorWindow.h"

#include <gtest/gtest.h>

/** A central component on virtual MIDI devices, with its Monitor View; logs start empty. */
class CentralComponentFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        content = std::make_unique<MainContentComponent> (devices);
        testhelpers::pumpMessages (50);
        clearLogs();
    }

    void TearDown() override
    {
        content.reset();
        testhelpers::pumpMessages (10);
    }

    Monitor* monitor() const
    {
        return content->monitorWindow != nullptr ? content->monitorWindow->getMonitor() : nullptr;
    }

    juce::String inLog() const { return monitor()->midiInActivityEditor.getText(); }
    juce::String outLog() const { return monitor()->midiOutActivityEditor.getText(); }

    void clearLogs()
    {
        if (auto* m = monitor())
        {
            m->midiInActivityEditor.clear();
            m->midiOutActivityEditor.clear();
        }
    }

    /** Lets every posted log line land. */
    static void settle() { testhelpers::pumpMessages (30); }

    VirtualMidiDeviceLayer devices;
    std::unique_ptr<MainContentComponent> content;
};
