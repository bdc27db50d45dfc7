#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/** The Yes/No confirmations: their title, then "Are you absolutely sure?". */
class KorvelCustomAlertWindow : public LookAndFeel_V4
{
public:
    KorvelCustomAlertWindow() = default;
    ~KorvelCustomAlertWindow() override = default;

    AlertWindow* createAlertWindow (const String& title, const String& message, const String& button1,
                                    const String& button2, const String& button3, MessageBoxIconType iconType,
                                    int numButtons, Component* associatedComponent) override;

    void drawAlertBox (Graphics& g, AlertWindow& alert, const Rectangle<int>& textArea,
                       TextLayout& textLayout) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelCustomAlertWindow)
};
} // namespace juce
