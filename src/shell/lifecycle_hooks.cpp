#include "shell/lifecycle_hooks.h"

namespace shell {

LifecycleHooks& lifecycleHooks()
{
    static LifecycleHooks hooks;
    return hooks;
}

} // namespace shell
