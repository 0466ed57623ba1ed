#pragma once

#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/log_window.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QComboBox;

namespace testsupport {

/**
 * A signed-in user (the administrator unless another is named) on a fresh delivered database, scripted dialogs, a
 * clock standing on 2004-07-05, instant opening timers and the program's keys (Enter presses a focused button); one
 * window at a time under test.
 */
class WindowFixture
{
public:
    explicit WindowFixture(const QString& user = QStringLiteral("Orsvan"));
    ~WindowFixture();

    testsupport::ScratchDatabase& scratch() { return *m_scratch; }
    testsupport::FakeDialogs& dialogs() { return *m_dialogs; }

    /** Shows the window, unloaded when it closes, and waits until its opening work has run (or closed it). */
    void open(QWidget* window);
    QWidget* window() const { return m_window; }
    bool isOpen() const { return m_window && m_window->isVisible(); }

    template<class Control> Control* control(const QString& name) const
    {
        return m_window ? m_window->findChild<Control*>(name) : nullptr;
    }
    /** The text of a box or label of the window. */
    QString text(const QString& control) const;
    /** Types into a box as a Chinese keyboard delivers the text: one key press a character. */
    void type(const QString& box, const QString& text);
    /** Picks the item of a list box as the user does. */
    void choose(const QString& box, const QString& item);
    void click(const QString& button);
    void pressEnter(const QString& box);
    void pressEscape();

    /** The log messages written since the fixture began. */
    QStringList logged() const;
    /** Closes a window still open and checks the scripted dialogs; false with the problem otherwise. */
    bool finish(QString* problem);

private:
    std::unique_ptr<InstantTimers> m_timers;
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<ScratchDatabase> m_scratch;
    std::unique_ptr<users::LogWindow> m_log;
    QPointer<QWidget> m_window;
};

} // namespace testsupport
