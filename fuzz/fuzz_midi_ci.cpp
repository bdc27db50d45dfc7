// Received MIDI-CI messages, as the routing hands them over: the bytes after F0. The first
// input byte switches the logging flag, so that the logging paths are covered too.

#include "protocol/MidiCi.h"
#include "support/FakeInstrumentHost.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size < 1 || size > 1024)
        return 0;

    FakeInstrumentHost host;
    ci_init_state();
    cis.hex_dump = (u8) (data[0] & 2);
    check_ci_stuff (data + 1, (int) size - 1, (u8) (data[0] & 1));
    return 0;
}
