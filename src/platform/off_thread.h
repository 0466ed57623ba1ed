#pragma once

#include <functional>

namespace platform {

/**
 * Runs `work` on a thread of its own and returns once it is done. Meanwhile the windows keep painting and timers
 * keep firing, but no user input is handled: a wait on another program leaves the screen alive without letting the
 * user start something else in the middle of it. `work` must not touch widgets.
 */
void runOffThread(const std::function<void()>& work);

/**
 * runOffThread() that starts taking user input once `takesInput()` is true; it is asked whenever an event has been
 * handled. By then an application-modal window must be showing, so that it is the only one the input reaches.
 */
void runOffThread(const std::function<void()>& work, const std::function<bool()>& takesInput);

} // namespace platform
