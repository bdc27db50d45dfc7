#include "KorvelKeySplitWindow.h"

#include "KorvelAlertBox.h"

namespace juce
{
AlertWindow* KorvelKeySplitWindow::createAlertWindow (const String& title, const String& message,
                                                      const String& button1, const String& button2,
                                                      const String& button3, MessageBoxIconType iconType,
                                                      int numButtons, Component*)
{
    return korvel_alert::createAlertWindow (*this, title, message, button1, button2, button3, iconType,
                                            numButtons);
}

void KorvelKeySplitWindow::drawAlertBox (Graphics& g, AlertWindow& alert, const Rectangle<int>&,
                                         TextLayout& textLayout)
{
    korvel_alert::drawAlertBox (*this, g, alert, textLayout, alert.getTitle() + "\n\n",
                                "Press a note on the keyboard then press OK,\nor select another option.",
                                16.0f);
}
} // namespace juce
