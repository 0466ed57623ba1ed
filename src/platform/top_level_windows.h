#pragma once

#include <QString>

class QWidget;

namespace platform {

/** The open top-level window with this object name, or nullptr when there is none. */
QWidget* topLevelWindow(const QString& objectName);

} // namespace platform
