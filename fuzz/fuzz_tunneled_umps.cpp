// Packet frames from the instrument, as the routing hands them over: the bytes after F0.

#include "protocol/UmpTransport.h"
#include "support/FakeInstrumentHost.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size > 1024)
        return 0;

    FakeInstrumentHost host;
    parse_tunneled_umps (data, (int) size);
    return 0;
}
