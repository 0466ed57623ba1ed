#pragma once

#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/log_window.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QComboBox;

namespace statisticstests {

/**
 * A signed-in user on a fresh delivered database, scripted dialogs, a clock standing on 2004-07-05 and instant
 * opening timers.
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

    template<class Control> Control* control(const QString& name) const
    {
        return m_window ? m_window->findChild<Control*>(name) : nullptr;
    }
    /** The text of a box or label of the window. */
    QString text(const QString& control) const;
    /** Picks the item of a list box as the user does. */
    void choose(const QString& box, const QString& item);
    void click(const QString& button);
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

} // namespace statisticstests
