#include "JuceBox.h"

#if JUCE_LINUX || JUCE_BSD

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace
{
/** Why no window can be shown, or empty when an X display opens. Without a display JUCE
    carries on regardless and crashes at the first window, so this is asked before it starts.
    libX11 is loaded at run time, as JUCE itself loads it. */
std::string missingDisplay()
{
    const char* name = std::getenv ("DISPLAY");

    if (name == nullptr || *name == 0)
        return "DISPLAY is not set";

    auto* x11 = dlopen ("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);

    if (x11 == nullptr)
        return "libX11 cannot be loaded";

    using OpenDisplay = void* (*) (const char*);
    using CloseDisplay = int (*) (void*);
    const auto openDisplay = reinterpret_cast<OpenDisplay> (dlsym (x11, "XOpenDisplay"));
    const auto closeDisplay = reinterpret_cast<CloseDisplay> (dlsym (x11, "XCloseDisplay"));

    std::string why;

    if (openDisplay == nullptr || closeDisplay == nullptr)
        why = "libX11 cannot be used";
    else if (auto* display = openDisplay (name); display != nullptr)
        closeDisplay (display);
    else
        why = "the display \"" + std::string (name) + "\" cannot be opened";

    dlclose (x11);
    return why;
}
} // namespace

JUCE_CREATE_APPLICATION_DEFINE (JuceBox)

int main (int argc, char* argv[])
{
    if (const auto why = missingDisplay(); !why.empty())
    {
        std::fprintf (stderr, "VN5 MIDI Control System needs a graphical display, but %s.\n", why.c_str());
        return EXIT_FAILURE;
    }

    juce::JUCEApplicationBase::createInstance = &juce_CreateApplication;
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}

#else

START_JUCE_APPLICATION (JuceBox)

#endif
