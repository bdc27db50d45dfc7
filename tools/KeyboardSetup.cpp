#include "KeyboardSetup.h"

KeyboardSetupWindow::KeyboardSetupWindow (MainContentComponent&, Setup&) : ToolWindow ("", 4)
{
}

void KeyboardSetupWindow::open (MainContentComponent&, Setup&)
{
}
