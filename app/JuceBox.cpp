#include "JuceBox.h"

#include "JuceMidiDeviceLayer.h"
#include "MainContentComponent.h"

JuceBox::JuceBox() = default;

const juce::String JuceBox::getApplicationName()
{
    return "KorvelVn5MidiCS_Projucer";
}

const juce::String JuceBox::getApplicationVersion()
{
    return "1.0.0";
}

bool JuceBox::moreThanOneInstanceAllowed()
{
    return true;
}

void JuceBox::initialise (const juce::String&)
{
    midiDevices = std::make_unique<JuceMidiDeviceLayer>();
    mainWindow = std::make_unique<MainWindow> (getApplicationName(), *midiDevices);
}

void JuceBox::shutdown()
{
    mainWindow = nullptr;
    midiDevices = nullptr;
}

void JuceBox::anotherInstanceStarted (const juce::String&)
{
}

void JuceBox::systemRequestedQuit()
{
    juce::MessageManager::getInstance()->stopDispatchLoop();
}

//==============================================================================
JuceBox::MainWindow::MainWindow (const juce::String& name, MidiDeviceLayer& midiDevices)
    : juce::DocumentWindow (name, juce::Colours::lightgrey, juce::DocumentWindow::closeButton)
{
    setUsingNativeTitleBar (false);
    setTitleBarHeight (45);
    setContentOwned (new MainContentComponent (midiDevices), true);
    setResizable (false, false);

    centreWithSize (getWidth(), getHeight() / 2);

    if (juce::Desktop::getInstance().getDisplays().displays.size() > 0)
    {
        const auto area = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->totalArea;
        setBounds ((area.getWidth() - getWidth()) / 2, area.getY() + 100, getWidth(), getHeight());
    }

    setVisible (true);
}

void JuceBox::MainWindow::closeButtonPressed()
{
    juce::JUCEApplication::getInstance()->systemRequestedQuit();
}
