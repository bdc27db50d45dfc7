#include "KorvelCustomAlertWindow.h"

#include "KorvelAlertBox.h"

namespace juce
{
AlertWindow* KorvelCustomAlertWindow::createAlertWindow (const String& title, const String& message,
                                                         const String& button1, const String& button2,
                                                         const String& button3, MessageBoxIconType iconType,
                                                         int numButtons, Component*)
{
    return korvel_alert::createAlertWindow (*this, title, message, button1, button2, button3, iconType,
                                            numButtons);
}

void KorvelCustomAlertWindow::drawAlertBox (Graphics& g, AlertWindow& alert, const Rectangle<int>&,
                                            TextLayout& textLayout)
{
    korvel_alert::drawAlertBox (*this, g, alert, textLayout, alert.getTitle() + "\n\n",
                                "Are you absolutely sure?", 22.0f);
}
} // namespace juce
