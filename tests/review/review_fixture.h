#pragma once

#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"

#include <QPointer>
#include <QWidget>
#include <memory>

namespace reviewtests {

/** A line in use with the given texts; maker, spec, unit, batch number and expiry are filled in alike. */
transaction::Line saleLine(const QString& name, const QString& quantity, const QString& unitPrice,
                           const QString& amount, const QString& purchasePrice = {},
                           const QString& type = QStringLiteral("片剂"));

/** Puts lines into the working set at the given line numbers. */
void setLines(const QList<std::pair<int, transaction::Line>>& lines);

/**
 * A signed-in user on a fresh delivered database, scripted dialogs, a standing clock, instant opening timers and an
 * empty working set; one window at a time under test.
 */
class ReviewFixture
{
public:
    explicit ReviewFixture(const QString& user = QStringLiteral("张三"));
    ~ReviewFixture();

    testsupport::ScratchDatabase& scratch() { return *m_scratch; }
    testsupport::FakeDialogs& dialogs() { return *m_dialogs; }

    /** Shows the window, unloaded when it closes, and waits until its opening work has run or it closed itself. */
    void open(QWidget* window);
    QWidget* window() const { return m_window; }
    bool isOpen() const { return m_window && m_window->isVisible(); }
    template<class Control> Control* control(const QString& name) const
    {
        Control* found = m_window ? m_window->findChild<Control*>(name) : nullptr;
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    void click(const QString& button);

    /** The log messages written since the fixture began. */
    QStringList logged() const;
    /** Closes a window still open and checks the scripted dialogs; false with the problem otherwise. */
    bool finish(QString* problem);

private:
    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::ActivityLog> m_log;
    QPointer<QWidget> m_window;
};

/** The name of the widget that has the keyboard focus, empty when none has. */
QString focusName();

} // namespace reviewtests
