// The instrument's reply frames, as the routing hands them over: the bytes after F0.

#include "protocol/Midi9Parser.h"
#include "support/FakeInstrumentHost.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size > 1024)
        return 0;

    FakeInstrumentHost host;
    parse_midi9_sysex (data, (int) size);
    return 0;
}
