#pragma once

#include "app/ToolWindow.h"

class MainContentComponent;

//==============================================================================
/** The velocity curve (view 0) or after-pressure parameters (view 1) window (not built yet). */
class AdvancedParameterCtrlWindow : public ToolWindow
{
public:
    AdvancedParameterCtrlWindow (MainContentComponent& ownerToUse, int view);

    /** Builds the window for the view, centres it over the component, shows it modally and
        lets it delete itself when dismissed. */
    static void open (MainContentComponent& owner, juce::Component* centreOver, int view);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AdvancedParameterCtrlWindow)
};
