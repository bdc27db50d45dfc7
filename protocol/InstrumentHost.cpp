#include "InstrumentHost.h"

InstrumentHost* pops = nullptr;

InstrumentHost::InstrumentHost()
{
    for (auto& found : downFound)
        found.store (0);

    for (auto& pressure : notePressures)
        pressure.store (0);
}
