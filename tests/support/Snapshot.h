#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace testhelpers
{
/** Where rendered PNGs go: $VN5_SNAPSHOT_DIR, or "snapshots" beside the test executable. */
inline juce::File snapshotDirectory()
{
    const auto fromEnvironment = juce::SystemStats::getEnvironmentVariable ("VN5_SNAPSHOT_DIR", {});
    auto dir =
        fromEnvironment.isNotEmpty()
            ? juce::File (fromEnvironment)
            : juce::File::getSpecialLocation (juce::File::currentExecutableFile).getSiblingFile ("snapshots");
    dir.createDirectory();
    return dir;
}

/** Renders a component as a person would see it and writes it as a PNG; returns the file. */
inline juce::File writeSnapshot (juce::Component& component, const juce::String& name)
{
    const auto image = component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
    auto file = snapshotDirectory().getChildFile (name + ".png");
    file.deleteFile();

    juce::FileOutputStream stream (file);
    if (stream.openedOk())
        juce::PNGImageFormat().writeImageToStream (image, stream);

    return file;
}
} // namespace testhelpers
