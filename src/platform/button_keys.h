#pragma once

class QCoreApplication;

namespace platform {

/**
 * Makes Enter (either key) press the push button that has the focus, in every window of the application, as Space
 * does; Enter in a box keeps its own meaning. Installed once for the whole run; a second call changes nothing.
 */
void pressFocusedButtonOnEnter(QCoreApplication& application);

} // namespace platform
