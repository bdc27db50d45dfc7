#pragma once

#include "RecordingContent.h"
#include "TestHelpers.h"
#include "VirtualMidiDeviceLayer.h"

#include <gtest/gtest.h>

//==============================================================================
/** A central component with its timers held, driven tick by tick by the test. */
class ContentFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        content = std::make_unique<RecordingContent> (devices);

        for (int id = 1; id <= 5; ++id)
            content->stopTimer (id);

        tick(); // the version lines
        content->clearLines();
    }

    void TearDown() override
    {
        content.reset();
        testhelpers::pumpMessages (10);
    }

    void tick (int count = 1)
    {
        for (int i = 0; i < count; ++i)
            content->mainTick();
    }

    /** The lines that these messages produce when routed one by one. */
    std::vector<juce::String> linesFor (const std::vector<juce::MidiMessage>& messages)
    {
        content->clearLines();
        for (auto& message : messages)
            content->addMessageToList (message, {});
        return content->getInLines();
    }

    juce::String lineFor (const juce::MidiMessage& message)
    {
        auto lines = linesFor ({ message });
        return lines.empty() ? juce::String ("<no line>") : lines.front();
    }

    static juce::MidiMessage raw (std::initializer_list<int> bytes)
    {
        std::vector<juce::uint8> data;
        for (auto b : bytes)
            data.push_back ((juce::uint8) b);
        return juce::MidiMessage (data.data(), (int) data.size());
    }

    VirtualMidiDeviceLayer devices;
    std::unique_ptr<RecordingContent> content;
};
