#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/** The key-split dialog: its title, then how to choose the split. */
class KorvelKeySplitWindow : public LookAndFeel_V4
{
public:
    KorvelKeySplitWindow() = default;
    ~KorvelKeySplitWindow() override = default;

    AlertWindow* createAlertWindow (const String& title, const String& message, const String& button1,
                                    const String& button2, const String& button3, MessageBoxIconType iconType,
                                    int numButtons, Component* associatedComponent) override;

    void drawAlertBox (Graphics& g, AlertWindow& alert, const Rectangle<int>& textArea,
                       TextLayout& textLayout) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelKeySplitWindow)
};
} // namespace juce
