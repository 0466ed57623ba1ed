#include "platform/screen_fit.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {

/** The start of a span of `length` wanted at `start`, moved the least to lie within [`first`, `first + room`). */
int fittedStart(int start, int length, int first, int room)
{
    if (length >= room)
        return first;
    return std::clamp(start, first, first + room - length);
}

bool isPlacedWindow(const QWidget& widget)
{
    if (!widget.isWindow() || widget.windowState() != Qt::WindowNoState)
        return false;
    // menus, lists that drop down and tooltips are placed by the toolkit beside what opened them
    const Qt::WindowType type = widget.windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Tool || type == Qt::SplashScreen;
}

void fitOnScreen(QWidget& window)
{
    const QPoint place = placeOnScreen(window, window.pos());
    if (place != window.pos())
        window.move(place);
}

/**
 * Fits each window as it is shown, and once more when it first appears: only then does the window system's frame
 * (title bar and borders) have its size.
 */
class ScreenFit final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && isPlacedWindow(*widget)) {
                fitOnScreen(*widget);
                if (!m_awaitingFrame.contains(widget))
                    m_awaitingFrame.append(widget);
            }
        } else if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed())
                firstAppeared(*window);
        }
        return false;
    }

private:
    void firstAppeared(const QWindow& window)
    {
        m_awaitingFrame.removeIf([](const QPointer<QWidget>& widget) { return widget.isNull(); });
        for (qsizetype i = 0; i < m_awaitingFrame.size(); ++i) {
            QWidget* widget = m_awaitingFrame.at(i);
            if (widget->windowHandle() != &window)
                continue;
            m_awaitingFrame.removeAt(i);
            if (isPlacedWindow(*widget))
                fitOnScreen(*widget);
            return;
        }
    }

    QList<QPointer<QWidget>> m_awaitingFrame;
};

} // namespace

QRect fittedInside(const QRect& wanted, const QRect& available)
{
    if (available.isEmpty())
        return wanted;
    const int left = fittedStart(wanted.left(), wanted.width(), available.left(), available.width());
    const int top = fittedStart(wanted.top(), wanted.height(), available.top(), available.height());
    return QRect(QPoint(left, top), wanted.size());
}

QPoint placeOnScreen(const QWidget& window, QPoint topLeft)
{
    const QRect wanted(topLeft, window.frameGeometry().size());
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen)
        screen = window.screen();
    if (!screen)
        return topLeft;
    QRect available = screen->availableGeometry();
    // At a fractional scale (150 %) the area is rounded to whole scaled pixels and may take in part of a device pixel
    // row the screen does not have: a window that ends on that row loses its last line.
    const qreal ratio = screen->devicePixelRatio();
    if (ratio != std::floor(ratio))
        available.adjust(0, 0, -1, -1);
    return fittedInside(wanted, available).topLeft();
}

void keepWindowsOnScreen(QApplication& application)
{
    application.installEventFilter(new ScreenFit(&application));
}

} // namespace platform
