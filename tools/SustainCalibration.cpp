#include "SustainCalibration.h"

SustainCalibrationWindow::SustainCalibrationWindow (MainContentComponent&, Setup&) : ToolWindow ("", 4)
{
}

void SustainCalibrationWindow::open (MainContentComponent&, Setup&)
{
}
