#pragma once

/** One step of the firmware stream pump; the main tick runs it every millisecond. */
void ota_pump_step();
