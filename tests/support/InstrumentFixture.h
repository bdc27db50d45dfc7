#pragma once

#include "protocol/FirmwareStream.h"
#include "protocol/Midi9Frame.h"
#include "protocol/Midi9Parser.h"
#include "support/RecordingContent.h"
#include "support/SimulatedInstrument.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

//==============================================================================
/**
    The end-to-end fixture: the central component on virtual devices with the simulated
    instrument plugged in and its timers running; the presence poll is held so that it
    sends nothing of its own. Widgets are found by component name in the main component
    and in every window on the desktop, and driven as a user would.
*/
class InstrumentFixture : public ::testing::Test
{
protected:
    /** Plugs the instrument in (set its board layout first) and builds the central component. */
    void start()
    {
        // What the protocol code keeps for the whole run starts afresh, as in a new run
        midi9ParserState = {};
        ota_last_out_ptr = 300;

        instrument.plug();
        content = std::make_unique<RecordingContent> (devices);
        content->stopTimer (3);
        ASSERT_TRUE (
            testhelpers::pumpUntil ([this] { return devices.getNumCallbacks ("korvel-vn5-in") == 1; }));
    }

    void TearDown() override
    {
        for (auto& error : instrument.getControllerResponder().getErrors())
            ADD_FAILURE() << "Simulated instrument's controllers: " << error;
        for (auto& error : instrument.getFirmwareReceiver().getErrors())
            ADD_FAILURE() << "Simulated instrument's firmware receiver: " << error;

        content.reset();
        testhelpers::pumpMessages (10);
    }

    /** Lets the instrument answer everything it was sent and the program take it all in. */
    void settle (int milliseconds = 50)
    {
        instrument.waitUntilIdle();
        testhelpers::pumpMessages (milliseconds);
        instrument.waitUntilIdle();
        testhelpers::pumpMessages (milliseconds);
    }

    /** Runs the presence poll once, as its timer would. */
    void pollPresence() { content->timerCallback (3); }

    /** The first component of this type and name in the main component or any desktop window. */
    template <typename ComponentType>
    ComponentType* find (const juce::String& name)
    {
        auto& desktop = juce::Desktop::getInstance();

        for (int i = -1; i < desktop.getNumComponents(); ++i)
        {
            auto* root = i < 0 ? static_cast<juce::Component*> (content.get()) : desktop.getComponent (i);
            if (auto* found = findIn<ComponentType> (root, name))
                return found;
        }

        return nullptr;
    }

    /** Waits for a component of this type and name to show up, as after a posted call. */
    template <typename ComponentType>
    ComponentType* await (const juce::String& name)
    {
        ComponentType* found = nullptr;
        testhelpers::pumpUntil ([&] { return (found = find<ComponentType> (name)) != nullptr; });
        return found;
    }

    /** Waits until no component of this type and name is left. */
    template <typename ComponentType>
    bool gone (const juce::String& name)
    {
        return testhelpers::pumpUntil ([&] { return find<ComponentType> (name) == nullptr; });
    }

    /** Clicks the named button as the mouse would, once it is there, and lets what it posts run. */
    void click (const juce::String& name)
    {
        auto* button = await<juce::Button> (name);
        ASSERT_NE (button, nullptr) << name;
        button->triggerClick();
        testhelpers::pumpMessages (30);
    }

    /** Closes the window around this component as Alt+F4 (its hidden close button) or the
        window manager does. */
    enum OutsideClose
    {
        altF4,
        windowManager
    };

    void closeFromOutside (juce::Component* inWindow, OutsideClose way)
    {
        ASSERT_NE (inWindow, nullptr);
        auto& window = dynamic_cast<juce::DocumentWindow&> (*inWindow->getTopLevelComponent());
        way == altF4 ? window.closeButtonPressed() : window.userTriedToCloseWindow();
        testhelpers::pumpMessages (30);
    }

    /** True once the instrument has received a MIDI-CI message of this sub-ID; the
        instrument has handled everything it received when this returns true. */
    bool instrumentGotCi (u8 subId, int times = 1)
    {
        const auto received = instrument.getReceivedBytes();
        const auto n =
            std::count_if (received.begin(), received.end(),
                           [subId] (const auto& m)
                           { return m.size() > 4 && m[1] == 0x7e && m[3] == 0x0d && m[4] == subId; });

        return n >= times && instrument.waitUntilIdle();
    }

    void sendToInstrument (const Midi9Bytes& frame) { content->sendToInstrument (frame); }

    int countInLines (const juce::String& line) { return content->countInLines (line); }

    bool hasInLine (const juce::String& line) { return countInLines (line) > 0; }

    VirtualMidiDeviceLayer devices;
    SimulatedInstrument instrument { devices };
    std::unique_ptr<RecordingContent> content;

private:
    template <typename ComponentType>
    static ComponentType* findIn (juce::Component* root, const juce::String& name)
    {
        if (root == nullptr)
            return nullptr;

        if (auto* typed = dynamic_cast<ComponentType*> (root); typed != nullptr && root->getName() == name)
            return typed;

        for (auto* child : root->getChildren())
            if (auto* found = findIn<ComponentType> (child, name))
                return found;

        return nullptr;
    }
};
