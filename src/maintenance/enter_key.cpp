#include "maintenance/enter_key.h"

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace maintenance {

namespace {

/** Sees the Enter presses that reach the window because no control took them. */
class EnterToButton final : public QObject
{
public:
    EnterToButton(QWidget* window, QAbstractButton* button) : QObject(window), m_button(button)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        if (m_button && m_button->isEnabled() && m_button->isVisible())
            m_button->click();
        return true;
    }

private:
    QPointer<QAbstractButton> m_button;
};

} // namespace

void pressOnEnter(QAbstractButton* button)
{
    QWidget* window = button->window();
    for (QPushButton* each : window->findChildren<QPushButton*>())
        each->setAutoDefault(true);
    if (auto* pushButton = qobject_cast<QPushButton*>(button))
        pushButton->setDefault(true);
    new EnterToButton(window, button);
}

} // namespace maintenance
