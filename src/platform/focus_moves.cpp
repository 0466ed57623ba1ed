#include "platform/focus_moves.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

namespace platform {

bool focusCameFromWithinWindow(const QFocusEvent* event)
{
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

bool focusMovedOnWithinWindow(const QWidget* control, const QFocusEvent* event)
{
    if (!focusCameFromWithinWindow(event))
        return false;
    // Qt names the new focus widget before it tells the old one that it lost the focus. The reason alone does not
    // do: a combo box moves the focus into its open list with an ordinary reason.
    const QWidget* now = QApplication::focusWidget();
    return now && now != control && !control->isAncestorOf(now) && now->window() == control->window();
}

} // namespace platform
