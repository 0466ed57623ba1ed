#include "platform/button_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

class EnterPressesFocusedButton final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        // A key event that a box ignored travels up to its parents; only the button that has the focus counts.
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled())
            return false;
        // A held key presses the button once.
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }
};

} // namespace

void pressFocusedButtonOnEnter(QCoreApplication& application)
{
    const QString name = u"pressFocusedButtonOnEnter"_s;
    if (application.findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
        return;
    auto* filter = new EnterPressesFocusedButton(&application);
    filter->setObjectName(name);
    application.installEventFilter(filter);
}

void pressWithKey(QAbstractButton* button, const QKeySequence& key)
{
    auto* shortcut = new QShortcut(key, button);
    shortcut->setContext(Qt::WindowShortcut);
    // a held key presses the button once
    shortcut->setAutoRepeat(false);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (!button->isEnabled() || !button->isVisible())
            return;
        button->setFocus(Qt::ShortcutFocusReason);
        if (button->hasFocus() && button->isEnabled())
            button->click();
    });
    button->setToolTip(u"%1（%2）"_s.arg(button->text(), key.toString(QKeySequence::NativeText)));
}

} // namespace platform
