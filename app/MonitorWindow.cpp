#include "MonitorWindow.h"

#include "MainContentComponent.h"

MonitorWindow::MonitorWindow (MainContentComponent& ownerToUse)
    : juce::DocumentWindow ("Monitor View", juce::Colours::lightgrey, 7), owner (ownerToUse)
{
    setContentOwned (new Monitor (owner), true);
    setUsingNativeTitleBar (false);
    setTitleBarHeight (0);
    setDraggable (true);
    setResizable (false, false);
    centreWithSize (1000, 300);
}

MonitorWindow::~MonitorWindow()
{
    clearContentComponent();
}

void MonitorWindow::closeButtonPressed()
{
    setVisible (false);

    // The owner's pointer must not outlive the window: resetting it deletes this window.
    if (owner.monitorWindow.get() == this)
        owner.monitorWindow.reset();
}

Monitor* MonitorWindow::getMonitor() const
{
    return dynamic_cast<Monitor*> (getContentComponent());
}
