#include "KeyCalibration.h"

KeyCalibrationWindow::KeyCalibrationWindow (MainContentComponent&, Setup&) : ToolWindow ("", 4)
{
}

void KeyCalibrationWindow::open (MainContentComponent&, Setup&)
{
}
