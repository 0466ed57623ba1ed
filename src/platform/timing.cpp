#include "platform/timing.h"

namespace platform {

Timing& timing()
{
    static Timing values;
    return values;
}

} // namespace platform
