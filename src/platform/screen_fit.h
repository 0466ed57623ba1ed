#pragma once

#include <QPoint>
#include <QRect>

class QApplication;
class QWidget;

namespace platform {

/**
 * Where a window frame wanted at `wanted` goes so that it lies wholly inside `available`: the wanted place when it
 * fits, otherwise the nearest place that does. Along a side where the frame is larger than the available area its
 * top or left edge is put on that area's, so the title bar and the start of each row stay reachable. An empty
 * available area leaves the wanted place as it is.
 */
QRect fittedInside(const QRect& wanted, const QRect& available);

/**
 * The top-left corner for a top-level window whose frame should stand at `topLeft`: that point when the frame fits on
 * the available area of its screen (what panels and docks leave), otherwise the point fittedInside() gives.
 */
QPoint placeOnScreen(const QWidget& window, QPoint topLeft);

/**
 * Makes every top-level window of the application keep its place when it is shown, unless it would not lie wholly
 * on its screen; then it is shifted onto it. A window moved by the user after it appeared stays where it was put.
 */
void keepWindowsOnScreen(QApplication& application);

} // namespace platform
