#include "ToolWindow.h"

namespace
{
juce::Array<ToolWindow*>& openToolWindows()
{
    static juce::Array<ToolWindow*> windows;
    return windows;
}
} // namespace

ToolWindow::ToolWindow (const juce::String& title, int requiredButtons)
    : juce::DocumentWindow (title, juce::Colours::lightgrey, requiredButtons)
{
    setUsingNativeTitleBar (false);
    setTitleBarHeight (0);
    setResizable (false, false);
    openToolWindows().add (this);
}

ToolWindow::~ToolWindow()
{
    openToolWindows().removeFirstMatchingValue (this);
}

void ToolWindow::setToolContent (juce::Component* content, std::function<void()>& closeCallback)
{
    closeCallback = [this] { closeButtonPressed(); };
    setContentOwned (content, true);
}

void ToolWindow::closeButtonPressed()
{
    setVisible (false);
    delete this;
}

void ToolWindow::deleteAll()
{
    while (!openToolWindows().isEmpty())
        delete openToolWindows().getLast();
}

int ToolWindow::getNumOpen()
{
    return openToolWindows().size();
}
