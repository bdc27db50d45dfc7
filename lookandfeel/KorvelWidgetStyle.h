#pragma once

#include "compat/JuceCompat.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <initializer_list>
#include <optional>

/** The colours a tool panel gives its buttons: the panel's own button colour, on or off, these
    texts and a black outline. */
struct KorvelButtonColours
{
    juce::Colour textOff = juce::Colours::lightgrey;
    juce::Colour textOn = juce::Colours::lightgreen;
};

//==============================================================================
/**
    The one place where the panels and tool windows give their captions, buttons and
    alert buttons the program's style. Each panel's own layout helpers (drawLabel,
    setupButtons, setupBasicButton ...) forward here with their fixed sizes.
*/
struct KorvelWidgetStyle
{
    /** A light grey caption of the given font height, added to the parent and shown. */
    static void caption (juce::Component& parent, juce::Label& label, juce::Rectangle<int> bounds,
                         float fontHeight, const juce::String& text);

    /** A button with the given text, name and look, that does not toggle. A "generic" button
        draws a power symbol instead of its text. Its colours are those of the colour set when
        one is given, otherwise its look's own. */
    static void button (juce::Component& parent, juce::TextButton& button, juce::Button::Listener* listener,
                        juce::LookAndFeel& look, juce::Rectangle<int> bounds, const juce::String& text,
                        const juce::String& name, bool generic,
                        std::optional<KorvelButtonColours> colours = std::nullopt);

    /** Gives the first text buttons of an alert (in child order) the look and these bounds. */
    static void alertButtons (juce::AlertWindow& alert, juce::LookAndFeel& look,
                              std::initializer_list<juce::Rectangle<int>> bounds);

    /** Sets the alert's look-and-feel and that of each of its text buttons back to none. */
    static void releaseAlertLooks (juce::AlertWindow& alert);

    /** Runs the alert modally and deletes it when dismissed. The callback gets the result;
        then, if the alert is still there, its looks are released. */
    static void enterModal (juce::AlertWindow& alert, std::function<void (int)> onResult);
};
