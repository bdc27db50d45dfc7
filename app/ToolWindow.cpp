#include "ToolWindow.h"

#include <utility>

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

void ToolWindow::setToolContent (juce::Component* content, std::function<void()>& closeCallback,
                                 std::function<void()> wayOut)
{
    closeCallback = [this] { closeWindow(); };
    contentWayOut = std::move (wayOut);
    setContentOwned (content, true);
}

void ToolWindow::closeButtonPressed()
{
    if (!contentWayOut)
    {
        closeWindow();
        return;
    }

    // The way out usually ends the window, and with it this function object.
    auto wayOut = contentWayOut;
    wayOut();
}

void ToolWindow::closeWindow()
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

bool ToolWindow::isOnAnyOf (int x, int y, std::initializer_list<const juce::Component*> widgets)
{
    for (auto* widget : widgets)
        if (widget->getBounds().contains (x, y))
            return true;

    return false;
}

void ToolWindow::paintPanel (juce::Graphics& g, const juce::Component& panel, juce::Colour frameColour)
{
    g.fillAll (juce::Colour (0xff2e3333));
    g.setColour (frameColour);
    g.drawRect (panel.getLocalBounds(), 2);
}
