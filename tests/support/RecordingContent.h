#pragma once

#include "app/MainContentComponent.h"

#include <mutex>
#include <vector>

//==============================================================================
/** The central component, also keeping every log line it is given, at the moment it is given. */
class RecordingContent : public MainContentComponent
{
public:
    using MainContentComponent::MainContentComponent;

    // Destruction changes this object's type before the base destructor removes the MIDI input
    // callback, so a delivery in progress must be finished and no further one started first.
    ~RecordingContent() override
    {
        deviceManager.removeMidiInputDeviceCallback (midiInputIdentifier, this);
    }

    void logMessage (const juce::String& text) override
    {
        {
            std::lock_guard<std::mutex> guard (linesLock);
            inLines.push_back (text);
        }
        MainContentComponent::logMessage (text);
    }

    void logOutMessage (const juce::String& text) override
    {
        {
            std::lock_guard<std::mutex> guard (linesLock);
            outLines.push_back (text);
        }
        MainContentComponent::logOutMessage (text);
    }

    std::vector<juce::String> getInLines() const
    {
        std::lock_guard<std::mutex> guard (linesLock);
        return inLines;
    }

    std::vector<juce::String> getOutLines() const
    {
        std::lock_guard<std::mutex> guard (linesLock);
        return outLines;
    }

    void clearLines()
    {
        std::lock_guard<std::mutex> guard (linesLock);
        inLines.clear();
        outLines.clear();
    }

    int countOutLines (const juce::String& line) const
    {
        auto lines = getOutLines();
        return (int) std::count (lines.begin(), lines.end(), line);
    }

    int countInLines (const juce::String& line) const
    {
        auto lines = getInLines();
        return (int) std::count (lines.begin(), lines.end(), line);
    }

private:
    mutable std::mutex linesLock;
    std::vector<juce::String> inLines, outLines;
};
