#pragma once

#include "app/ToolWindow.h"

class MainContentComponent;
class Setup;

//==============================================================================
/** Keyboard setup (not built yet). */
class KeyboardSetupWindow : public ToolWindow
{
public:
    KeyboardSetupWindow (MainContentComponent& ownerToUse, Setup& setupToUse);

    /** Builds the window over the Setup panel's parent and shows it. */
    static void open (MainContentComponent& owner, Setup& setup);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyboardSetupWindow)
};
