#pragma once

#include <functional>

namespace shell {

/**
 * Runs one step of the start-up or the shutdown when it is set. A step that fails by throwing is skipped, so that
 * the steps after it still run and the program can still end.
 */
void runGuarded(const std::function<void()>& step);

} // namespace shell
