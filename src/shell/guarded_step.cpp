#include "shell/guarded_step.h"

namespace shell {

void runGuarded(const std::function<void()>& step)
{
    if (!step)
        return;
    try {
        step();
    } catch (...) { }
}

} // namespace shell
