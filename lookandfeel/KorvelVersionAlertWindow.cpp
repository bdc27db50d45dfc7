#include "KorvelVersionAlertWindow.h"

#include "KorvelAlertBox.h"

namespace juce
{
AlertWindow* KorvelVersionAlertWindow::createAlertWindow (const String& title, const String& message,
                                                          const String& button1, const String& button2,
                                                          const String& button3, MessageBoxIconType iconType,
                                                          int numButtons, Component*)
{
    return korvel_alert::createAlertWindow (*this, title, message, button1, button2, button3, iconType,
                                            numButtons);
}

void KorvelVersionAlertWindow::drawAlertBox (Graphics& g, AlertWindow& alert, const Rectangle<int>&,
                                             TextLayout& textLayout)
{
    korvel_alert::drawAlertBox (*this, g, alert, textLayout, "Current Software Version\n\n", getVersionLine(),
                                16.0f);
}

String KorvelVersionAlertWindow::getVersionLine()
{
    return "v" + String (softwareVersionMajor) + "." + String (softwareVersionMinor) + "."
           + String (softwareVersionPatch) + " | " + String (buildDay) + "-" + String (buildMonth) + "-"
           + String (buildYear);
}
} // namespace juce
