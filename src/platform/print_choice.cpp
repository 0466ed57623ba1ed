#include "platform/print_choice.h"

namespace platform {

PrintChoice& printChoice()
{
    static PrintChoice choice;
    return choice;
}

} // namespace platform
