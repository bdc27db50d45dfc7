#pragma once

#include "MidiDeviceLayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

//==============================================================================
/** The application object: one main window whose content is the central component. */
class JuceBox : public juce::JUCEApplication
{
public:
    JuceBox();

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;
    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;
    void systemRequestedQuit() override;

    //==============================================================================
    class MainWindow : public juce::DocumentWindow
    {
    public:
        MainWindow (const juce::String& name, MidiDeviceLayer& midiDevices);

        void closeButtonPressed() override;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainWindow)
    };

private:
    std::unique_ptr<MidiDeviceLayer> midiDevices;
    std::unique_ptr<MainWindow> mainWindow;
};
