#pragma once

#include <QList>

class QAction;
class QMenuBar;

namespace shell {

/**
 * Fills the main window's menu bar. Every entry is a QAction named as its command; a submenu is a QMenu whose
 * menuAction() carries the same name, so that it can be disabled as one entry.
 * Returns the entries that are commands (the submenus excluded), in menu order.
 */
QList<QAction*> buildMainMenu(QMenuBar& menuBar);

} // namespace shell
