#include "review/window_parts.h"

#include "platform/timing.h"
#include "platform/twips.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace review {

namespace {

/** Starts the opening timer at the window's first show by the program. */
class FirstShow final : public QObject
{
public:
    FirstShow(QWidget* window, QTimer* timer) : QObject(window), m_timer(timer) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !m_started) {
            m_started = true;
            m_timer->start(platform::timing().opening);
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    QTimer* m_timer;
    bool m_started = false;
};

class DigitFilter final : public QObject
{
public:
    DigitFilter(QLineEdit* box, bool withPoint) : QObject(box), m_withPoint(withPoint)
    {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        return drops(static_cast<const QKeyEvent*>(event));
    }

private:
    bool drops(const QKeyEvent* key) const
    {
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return false;
        default:
            break;
        }
        const QString text = key->text();
        // moving keys carry no text
        if (text.isEmpty())
            return false;
        if (text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
            return false;
        return !(m_withPoint && text == u".");
    }

    bool m_withPoint;
};

} // namespace

Qt::WindowFlags reviewWindowFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

QLabel* headingLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                     int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setFamilies({ u"仿宋_GB2312"_s, u"FangSong"_s, u"AR PL UKai CN"_s, u"Noto Serif CJK SC"_s });
    font.setPointSizeF(15.75);
    font.setBold(true);
    label->setFont(font);
    platform::place(label, left, top, width, height);
    return label;
}

QPushButton* placedButton(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                          int height)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(true);
    platform::place(button, left, top, width, height);
    return button;
}

QTimer* runOnceShown(QWidget* window, std::function<void()> work)
{
    auto* timer = new QTimer(window);
    timer->setObjectName(u"Timer1"_s);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, window, std::move(work));
    new FirstShow(window, timer);
    return timer;
}

void keepDigits(QLineEdit* box, bool withPoint)
{
    new DigitFilter(box, withPoint);
}

} // namespace review
