#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

// Runs every test on an initialised JUCE message thread, as the program does.
int main (int argc, char** argv)
{
    // Without an application instance JUCE's X error handling stays standalone, so a
    // top-level window under a bare X server does not end the process.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };

    juce::ScopedJuceInitialiser_GUI juceInitialiser;

    ::testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
