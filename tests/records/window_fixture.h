#pragma once

#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/log_window.h"

#include <QPointer>
#include <QWidget>
#include <memory>

namespace recordtests {

/**
 * A signed-in administrator on a fresh delivered database, scripted dialogs, a standing clock and instant opening
 * timers; one record window at a time under test.
 */
class WindowFixture
{
public:
    WindowFixture();
    ~WindowFixture();

    testsupport::ScratchDatabase& scratch() { return *m_scratch; }
    testsupport::FakeDialogs& dialogs() { return *m_dialogs; }

    /** Shows the window, unloaded when it closes, and waits until its opening work has run. */
    void open(QWidget* window);
    QWidget* window() const { return m_window; }
    bool isOpen() const { return m_window && m_window->isVisible(); }

    template<class Control> Control* control(const QString& name) const
    {
        return m_window ? m_window->findChild<Control*>(name) : nullptr;
    }
    QString text(const QString& box) const;
    void type(const QString& box, const QString& text);
    void click(const QString& button);
    void pressEnter(const QString& box);
    void pressEscape();

    /** The log messages written since the fixture began. */
    QStringList logged() const;
    /** Closes a window still open and checks the scripted dialogs; false with the problem otherwise. */
    bool finish(QString* problem);

private:
    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::LogWindow> m_log;
    QPointer<QWidget> m_window;
};

} // namespace recordtests
