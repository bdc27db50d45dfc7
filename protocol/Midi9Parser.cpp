#include "Midi9Parser.h"

void parse_midi9_sysex (const u8*, int)
{
}
