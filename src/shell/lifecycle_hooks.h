#pragma once

#include <functional>

class QWidget;

namespace shell {

class MainWindow;

/**
 * What other subsystems add to the start-up and the shutdown of the main window. Each hook may be empty; the shell
 * runs the ones that are set, in the order of the shutdown sequence.
 */
struct LifecycleHooks
{
    /** After the splash: shows the sign-in over the main window (which the start-up then disables). */
    std::function<void(MainWindow&)> showSignIn;
    /** Shutdown step 2: unloads the entry windows. */
    std::function<void()> unloadEntryWindows;
    /** Shutdown step 3: writes the exit entry of the activity log. */
    std::function<void()> logExit;
    /** The final save the quit window waits for; the program ends after it. */
    std::function<void()> finalSave;
};

LifecycleHooks& lifecycleHooks();

} // namespace shell
