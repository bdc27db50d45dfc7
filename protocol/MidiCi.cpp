#include "MidiCi.h"

#include "InstrumentHost.h"

#include <juce_audio_basics/juce_audio_basics.h>

const u8 ci_discovery_inquiry_msg[31] = { 0xf0, 0x7e, 0x7f, 0x0d, 0x70, 0x01, 0x04, 0x05, 0x06, 0x07, 0x7f,
                                          0x7f, 0x7f, 0x7f, 0x7d, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
                                          0x00, 0x00, 0x00, 0x0e, 0x00, 0x10, 0x00, 0x00, 0xf7 };

void check_ci_stuff (const u8*, int, u8)
{
}

void xmit_ci_packet (const u8* buf, u8)
{
    if (buf == nullptr || buf[0] != 0xf0 || pops == nullptr || pops->midiOutput == nullptr)
        return;

    for (int i = 1; i < 255; ++i)
    {
        if (buf[i] == 0xf7)
        {
            pops->midiOutput->sendMessageNow (juce::MidiMessage (buf, i + 1));
            return;
        }
    }
}
