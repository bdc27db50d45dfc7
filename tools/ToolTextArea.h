#pragma once

#include "compat/JuceCompat.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The read-only instruction text of the calibration and setup windows: no caret, no scroll bars,
    no pop-up menu, light grey on the panel colour. A font height of 0 keeps the editor's own font. */
inline void setupToolTextArea (juce::Component& parent, juce::TextEditor& editor, juce::Rectangle<int> bounds,
                               float fontHeight, const juce::String& text)
{
    parent.addAndMakeVisible (editor);
    editor.setBounds (bounds);
    editor.setMultiLine (true, true);
    editor.setReturnKeyStartsNewLine (false);
    editor.setReadOnly (true);
    editor.setScrollbarsShown (false);
    editor.setCaretVisible (false);
    editor.setPopupMenuEnabled (false);

    if (fontHeight > 0.0f)
        editor.setFont (juce::Font (withDefaultMetrics (juce::FontOptions (fontHeight))));

    editor.setColour (juce::TextEditor::outlineColourId, juce::Colour (0x00000000));
    editor.setColour (juce::TextEditor::backgroundColourId, juce::Colour (0xff2e3333));
    editor.setColour (juce::TextEditor::textColourId, juce::Colours::lightgrey);
    editor.setLineSpacing (1.2f);
    editor.setText (text, false);
}
