#include "InstrumentHost.h"

InstrumentHost* pops = nullptr;

InstrumentHost::InstrumentHost()
{
    for (auto& found : downFound)
        found.store (0);

    for (auto& pressure : notePressures)
        pressure.store (0);
}

bool InstrumentHost::sendToInstrument (const juce::MidiMessage& message)
{
    if (midiOutput == nullptr)
        return false;

    midiOutput->sendMessageNow (message);
    return true;
}

bool InstrumentHost::sendToInstrument (const Midi9Bytes& frame)
{
    return sendToInstrument (midi9_message (frame));
}
