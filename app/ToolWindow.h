#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <initializer_list>

//==============================================================================
/**
    The shape shared by the small windows that the panels open (advanced parameters,
    board status, firmware update, calibrations, keyboard setup): a light grey window
    with no visible title bar, not resizable, that owns one content panel and deletes
    itself when closed. The content ends the window through its close callback.

    Tool windows own themselves. Any still open when the central component goes are
    deleted with it, since their content holds references into it.
*/
class ToolWindow : public juce::DocumentWindow
{
public:
    ToolWindow (const juce::String& title, int requiredButtons);
    ~ToolWindow() override;

    /** Takes the content with ownership and points its close callback at this window. */
    void setToolContent (juce::Component* content, std::function<void()>& closeCallback);

    /** Hides the window, then deletes it and its content. */
    void closeButtonPressed() override;

    /** Deletes every tool window still open. */
    static void deleteAll();

    /** How many tool windows are open. */
    static int getNumOpen();

    //==============================================================================
    // For the content panels

    /** True when the point lies on one of these widgets. A panel that answers its hitTest
        with this leaves every other click to the window, which it then drags. */
    static bool isOnAnyOf (int x, int y, std::initializer_list<const juce::Component*> widgets);

    /** The dark panel fill with a frame of two pixels in the given colour. */
    static void paintPanel (juce::Graphics& g, const juce::Component& panel, juce::Colour frameColour);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ToolWindow)
};
