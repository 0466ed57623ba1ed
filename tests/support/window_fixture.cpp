#include "support/window_fixture.h"

#include "platform/button_keys.h"
#include "users/current_user.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace testsupport {

WindowFixture::WindowFixture(const QString& user)
    : m_timers(std::make_unique<InstantTimers>())
    , m_clock(std::make_unique<FakeClock>())
    , m_dialogs(std::make_unique<FakeDialogs>())
    , m_scratch(std::make_unique<ScratchDatabase>(true))
{
    platform::pressFocusedButtonOnEnter(*QApplication::instance());
    users::setCurrentUser(user);
    m_log = std::make_unique<users::LogWindow>(m_scratch->db(), user);
}

WindowFixture::~WindowFixture()
{
    delete m_window;
    m_log.reset();
    users::setCurrentUser({});
}

void WindowFixture::open(QWidget* window)
{
    m_window = window;
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QTimer> opening = window->findChild<QTimer*>(u"Timer1"_s);
    QVERIFY(opening);
    window->show();
    // a window with nothing to show closes itself from its opening work
    QTRY_VERIFY(!m_window || (m_window->isActiveWindow() && !opening->isActive()));
}

QString WindowFixture::text(const QString& control) const
{
    if (const auto* box = this->control<QLineEdit>(control))
        return box->text();
    if (const auto* label = this->control<QLabel>(control))
        return label->text();
    if (const auto* list = this->control<QComboBox>(control))
        return list->currentText();
    return u"<no %1>"_s.arg(control);
}

void WindowFixture::type(const QString& box, const QString& text)
{
    auto* found = control<QLineEdit>(box);
    QVERIFY2(found, qPrintable(box));
    found->setFocus();
    found->selectAll();
    if (text.isEmpty())
        QTest::keyClick(found, Qt::Key_Delete);
    // keyClicks() takes Latin-1 only; these are the key presses a Chinese keyboard delivers
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, found, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void WindowFixture::choose(const QString& box, const QString& item)
{
    auto* list = control<QComboBox>(box);
    QVERIFY2(list, qPrintable(box));
    const int index = list->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void WindowFixture::click(const QString& button)
{
    auto* found = control<QPushButton>(button);
    QVERIFY2(found, qPrintable(button));
    QVERIFY2(found->isVisible() && found->isEnabled(), qPrintable(button));
    QTest::mouseClick(found, Qt::LeftButton);
}

void WindowFixture::pressEnter(const QString& box)
{
    auto* found = control<QLineEdit>(box);
    QVERIFY2(found, qPrintable(box));
    QTest::keyClick(found, Qt::Key_Return);
}

void WindowFixture::pressEscape()
{
    QVERIFY(m_window);
    QWidget* target = m_window->focusWidget() ? m_window->focusWidget() : m_window.data();
    QTest::keyClick(target, Qt::Key_Escape);
}

QStringList WindowFixture::logged() const
{
    QStringList messages;
    for (const auto& entry : m_log->log().pending())
        messages << entry.message;
    return messages;
}

bool WindowFixture::finish(QString* problem)
{
    delete m_window;
    return m_dialogs->verifyDone(problem);
}

} // namespace testsupport
