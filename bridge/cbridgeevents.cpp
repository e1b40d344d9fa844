#include "cbridgeevents.h"

namespace bridge {

CBridgeEvents& bridgeEvents()
{
    static CBridgeEvents events;
    return events;
}

} // namespace bridge
