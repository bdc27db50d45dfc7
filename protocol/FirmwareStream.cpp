#include "FirmwareStream.h"

void ota_pump_step()
{
}
