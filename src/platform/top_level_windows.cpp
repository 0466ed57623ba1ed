#include "platform/top_level_windows.h"

#include <QApplication>
#include <QWidget>

namespace platform {

QWidget* topLevelWindow(const QString& objectName)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == objectName)
            return window;
    }
    return nullptr;
}

} // namespace platform
