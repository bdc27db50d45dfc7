#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
//==============================================================================
/** The software-version box: a fixed heading and the version line, whatever the alert says. */
class KorvelVersionAlertWindow : public LookAndFeel_V4
{
public:
    KorvelVersionAlertWindow() = default;
    ~KorvelVersionAlertWindow() override = default;

    AlertWindow* createAlertWindow (const String& title, const String& message, const String& button1,
                                    const String& button2, const String& button3, MessageBoxIconType iconType,
                                    int numButtons, Component* associatedComponent) override;

    void drawAlertBox (Graphics& g, AlertWindow& alert, const Rectangle<int>& textArea,
                       TextLayout& textLayout) override;

    static constexpr int softwareVersionMajor = 1;
    static constexpr int softwareVersionMinor = 3;
    static constexpr int softwareVersionPatch = 0;
    static constexpr int buildDay = 26;
    static constexpr int buildMonth = 8;
    static constexpr int buildYear = 2025;

    /** "v1.3.0 | 26-8-2025". */
    static String getVersionLine();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvelVersionAlertWindow)
};
} // namespace juce
