#pragma once

#include "lookandfeel/KorvelCustomButtons.h"
#include "lookandfeel/KorvelCustomTextEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

class MainContentComponent;

//==============================================================================
/** The Monitor View's content: the two activity logs and the display toggles. */
class Monitor : public juce::Component, public juce::Button::Listener
{
public:
    explicit Monitor (MainContentComponent& ownerToUse);
    ~Monitor() override;

    bool hitTest (int x, int y) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

    void setupDisplayButton (juce::TextButton& button, int x, int y, int width, int height,
                             const juce::String& text, const juce::String& name, bool initiallyOn);
    void drawLabel (juce::Label& label, int x, int y, int width, int height, float fontHeight,
                    const juce::String& text);

    MainContentComponent& owner;

    juce::TextEditor midiInActivityEditor, midiOutActivityEditor;
    juce::Label displayCaption;
    juce::TextButton noteOnToggle, pressureToggle, noteOffToggle, sysexToggle, controllersToggle, timeToggle,
        sustainsToggle, repliesToggle;
    juce::Label inCaption, outCaption;
    juce::TextButton clearButton;

private:
    juce::KorvelCustomButtons buttonLook;
    juce::KorvelCustomTextEditor editorLook;

    juce::Array<juce::Button*> getButtons();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Monitor)
};
