#include "AdvancedParameterCtrl.h"

AdvancedParameterCtrlWindow::AdvancedParameterCtrlWindow (MainContentComponent&, int) : ToolWindow ("", 4)
{
}

void AdvancedParameterCtrlWindow::open (MainContentComponent&, juce::Component*, int)
{
}
