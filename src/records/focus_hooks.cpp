#include "records/focus_hooks.h"

#include "platform/focus_moves.h"

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

namespace records {

namespace {

class FocusHook final : public QObject
{
public:
    FocusHook(QWidget* box, QEvent::Type type, std::function<void()> action)
        : QObject(box), m_type(type), m_action(std::move(action))
    {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != m_type)
            return false;
        auto* box = static_cast<QWidget*>(watched);
        const auto* focus = static_cast<QFocusEvent*>(event);
        const bool withinWindow = m_type == QEvent::FocusOut ? platform::focusMovedOnWithinWindow(box, focus)
                                                             : platform::focusCameFromWithinWindow(focus);
        if (withinWindow && box->isEnabled() && box->isVisible())
            m_action();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_action;
};

} // namespace

void onFocusLeaving(QWidget* box, std::function<void()> action)
{
    new FocusHook(box, QEvent::FocusOut, std::move(action));
}

void onFocusEntering(QWidget* box, std::function<void()> action)
{
    new FocusHook(box, QEvent::FocusIn, std::move(action));
}

} // namespace records
