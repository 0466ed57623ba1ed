#pragma once

#include <functional>

class QString;
class QWidget;

namespace shell {

/** Shows a window beside the main window, which stays usable; a window already open is brought to the front. */
void openPlainly(QWidget& window);

/**
 * Shows a window like openPlainly() and disables the main window until that window is closed, hidden by the program
 * or destroyed; the main window is then enabled again and takes the focus. The window must be a top-level window of
 * its own, not a child of the main window: Qt disables child windows together with their parent.
 */
void openExclusively(QWidget& window, QWidget& mainWindow);

/**
 * The open window of that name, or one newly loaded by load(), which is unloaded again when it closes; a new window
 * is centred over centredOver when one is given. A window that was closed may still wait for its deletion: it is
 * not opened again.
 */
QWidget& loadedWindow(const QString& name, const std::function<QWidget*()>& load, const QWidget* centredOver = nullptr);

} // namespace shell
