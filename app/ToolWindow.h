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

    The title bar is hidden, yet Alt+F4 and the window manager can still close the window.
    Such a close takes the content's own way out, so that whatever its buttons put right
    on the way (the instrument's mode, the Setup panel's buttons) is put right here too.

    Tool windows own themselves. Any still open when the central component goes are
    deleted with it, since their content holds references into it.
*/
class ToolWindow : public juce::DocumentWindow
{
public:
    ToolWindow (const juce::String& title, int requiredButtons);
    ~ToolWindow() override;

    /** Takes the content with ownership and points its close callback at this window.
        wayOut is what the content's own buttons do to leave it; without one, a close from
        outside simply ends the window. */
    void setToolContent (juce::Component* content, std::function<void()>& closeCallback,
                         std::function<void()> wayOut = {});

    /** A close from outside the content (Alt+F4, the window manager): takes its way out. */
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
    /** Hides the window, then deletes it and its content. */
    void closeWindow();

    std::function<void()> contentWayOut;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ToolWindow)
};
