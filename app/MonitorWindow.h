#pragma once

#include "Monitor.h"

#include <juce_gui_basics/juce_gui_basics.h>

class MainContentComponent;

//==============================================================================
/** The "Monitor View" window: no visible title bar, moved by dragging its background. */
class MonitorWindow : public juce::DocumentWindow
{
public:
    explicit MonitorWindow (MainContentComponent& ownerToUse);
    ~MonitorWindow() override;

    /** Hides the window and deletes it; the owner is left without a Monitor View. */
    void closeButtonPressed() override;

    Monitor* getMonitor() const;

private:
    MainContentComponent& owner;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MonitorWindow)
};
