// vn5_harness: the real main window on virtual MIDI devices, with the simulated instrument.
//
//   vn5_harness [--no-instrument] [--boards 30,43,0,0] [--type 3] [--play]
//               [--unplug-after SECONDS] [--screenshot FILE.png [--after SECONDS]]
//
// --screenshot writes the main window to FILE.png and the Monitor View to FILE-monitor.png
// after the given time (3 s by default), then quits.

#include "app/JuceBox.h"
#include "app/MainContentComponent.h"
#include "app/MonitorWindow.h"
#include "support/SimulatedInstrument.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <iostream>
#include <utility>

namespace
{
bool writePng (juce::Component& component, const juce::File& file)
{
    auto image = component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
    file.deleteFile();
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;
    return stream.openedOk() && png.writeImageToStream (image, stream);
}
} // namespace

//==============================================================================
class HarnessApp : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "KorvelVn5MidiCS_Projucer"; }
    const juce::String getApplicationVersion() override { return "1.0.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override
    {
        const auto args = getCommandLineParameterArray();
        auto valueOf = [&] (const juce::String& option, const juce::String& fallback)
        {
            const auto index = args.indexOf (option);
            return index >= 0 && index + 1 < args.size() ? args[index + 1] : fallback;
        };

        devices = std::make_unique<VirtualMidiDeviceLayer>();
        instrument = std::make_unique<SimulatedInstrument> (*devices);

        SimulatedInstrument::BoardLayout layout;
        auto sizes = juce::StringArray::fromTokens (valueOf ("--boards", "73,0,0,0"), ",", {});
        for (int i = 0; i < 4; ++i)
            layout.sizes[(size_t) i] = (std::uint8_t) juce::jlimit (0, 127, sizes[i].getIntValue());
        layout.type = (std::uint8_t) juce::jlimit (0, 127, valueOf ("--type", "0").getIntValue());
        instrument->setBoardLayout (layout);

        if (!args.contains ("--no-instrument"))
            instrument->plug();

        mainWindow = std::make_unique<JuceBox::MainWindow> (getApplicationName(), *devices);

        if (args.contains ("--play"))
            startPlaying();

        if (args.contains ("--unplug-after"))
            unplugLater = std::make_unique<DelayedAction> (
                juce::roundToInt (valueOf ("--unplug-after", "5").getDoubleValue() * 1000.0),
                [this] { instrument->unplug(); });

        if (args.contains ("--screenshot"))
        {
            const auto file =
                juce::File::getCurrentWorkingDirectory().getChildFile (valueOf ("--screenshot", "vn5.png"));
            const auto delay = juce::roundToInt (valueOf ("--after", "3").getDoubleValue() * 1000.0);

            screenshotLater = std::make_unique<DelayedAction> (delay,
                                                               [this, file]
                                                               {
                                                                   exitCode = takeScreenshots (file) ? 0 : 1;
                                                                   quit();
                                                               });
        }
    }

    void shutdown() override
    {
        unplugLater = nullptr;
        screenshotLater = nullptr;
        player = nullptr;
        mainWindow = nullptr;
        instrument = nullptr;
        devices = nullptr;
        setApplicationReturnValue (exitCode);
    }

    void systemRequestedQuit() override { quit(); }

private:
    bool takeScreenshots (const juce::File& file)
    {
        bool ok = writePng (*mainWindow, file);
        std::cout << file.getFullPathName() << std::endl;

        auto* content = dynamic_cast<MainContentComponent*> (mainWindow->getContentComponent());
        if (content != nullptr && content->monitorWindow != nullptr && content->monitorWindow->isVisible())
        {
            const auto monitorFile =
                file.getSiblingFile (file.getFileNameWithoutExtension() + "-monitor.png");
            ok = writePng (*content->monitorWindow, monitorFile) && ok;
            std::cout << monitorFile.getFullPathName() << std::endl;
        }

        return ok;
    }

    // A slow scale with key pressure, so the keyboard and the monitor have something to show.
    struct Player : juce::Timer
    {
        explicit Player (SimulatedInstrument& instrumentToUse) : instrument (instrumentToUse)
        {
            startTimer (400);
        }

        void timerCallback() override
        {
            instrument.send (juce::MidiMessage::noteOff (1, note));
            note = note >= 100 ? 28 : note + 1;
            instrument.send (juce::MidiMessage::noteOn (1, note, (juce::uint8) 90));
            instrument.send (juce::MidiMessage::aftertouchChange (1, note, 64));
        }

        SimulatedInstrument& instrument;
        int note = 59;
    };

    void startPlaying() { player = std::make_unique<Player> (*instrument); }

    // Owned by the app, so that quitting before it runs leaves nothing behind.
    struct DelayedAction : juce::Timer
    {
        DelayedAction (int milliseconds, std::function<void()> actionToRun) : action (std::move (actionToRun))
        {
            startTimer (milliseconds);
        }

        void timerCallback() override
        {
            stopTimer();
            action();
        }

        std::function<void()> action;
    };

    std::unique_ptr<VirtualMidiDeviceLayer> devices;
    std::unique_ptr<SimulatedInstrument> instrument;
    std::unique_ptr<JuceBox::MainWindow> mainWindow;
    std::unique_ptr<Player> player;
    std::unique_ptr<DelayedAction> unplugLater, screenshotLater;
    int exitCode = 0;
};

START_JUCE_APPLICATION (HarnessApp)
