#pragma once

#include "app/ToolWindow.h"

class MainContentComponent;
class Setup;

//==============================================================================
/** Key calibration (not built yet). */
class KeyCalibrationWindow : public ToolWindow
{
public:
    KeyCalibrationWindow (MainContentComponent& ownerToUse, Setup& setupToUse);

    /** Builds the window over the Setup panel's parent and shows it. */
    static void open (MainContentComponent& owner, Setup& setup);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyCalibrationWindow)
};
