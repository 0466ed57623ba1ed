#include "platform/input_boxes.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QProxyStyle>
#include <QShortcut>

namespace platform {

namespace {

class StarPasswordStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* starPasswordStyle()
{
    // Owned by the application for the whole run; widgets do not take ownership of a style set on them.
    static StarPasswordStyle* style = new StarPasswordStyle;
    return style;
}

} // namespace

void makePasswordBox(QLineEdit* box)
{
    box->setStyle(starPasswordStyle());
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(12);
    disableInputMethod(box);
}

void disableInputMethod(QWidget* box)
{
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
}

void moveFocusOnEnter(QLineEdit* box, QWidget* next)
{
    QObject::connect(box, &QLineEdit::returnPressed, next, [next] { next->setFocus(Qt::TabFocusReason); });
}

void pressOnEscape(QAbstractButton* button)
{
    auto* shortcut = new QShortcut(Qt::Key_Escape, button->window());
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
}

} // namespace platform
