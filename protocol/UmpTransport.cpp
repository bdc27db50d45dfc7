#include "UmpTransport.h"

void parse_tunneled_umps (const u8*, int)
{
}
