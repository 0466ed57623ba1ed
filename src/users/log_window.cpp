#include "users/log_window.h"

#include "platform/dialogs.h"
#include "platform/progress.h"
#include "platform/timing.h"

#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace users {

LogWindow::LogWindow(platform::Database& database, const QString& userTable)
    : m_log(database, userTable), m_periodic(new QTimer(this))
{
    setObjectName(u"Form7"_s);
    m_periodic->setObjectName(u"Timer1"_s);
    connect(m_periodic, &QTimer::timeout, this, &LogWindow::periodicTick);
    m_periodic->start(platform::timing().periodicLogSave);
    setActivityLog(&m_log);
}

LogWindow::~LogWindow()
{
    if (activityLog() == &m_log)
        setActivityLog(nullptr);
}

void LogWindow::periodicTick()
{
    // Long work may hold the database; the entries stay pending for the next tick.
    if (platform::longWorkRunning())
        return;
    if (!m_log.periodicSave())
        reportFailure();
}

void LogWindow::finalSave()
{
    if (!m_log.save())
        reportFailure();
}

void LogWindow::reportFailure()
{
    // Once per run: the entries stay pending and every later save tries again.
    if (m_failureReported)
        return;
    m_failureReported = true;
    platform::inform(u"操作日志无法保存，请检查数据库！"_s, u"警告!"_s);
}

} // namespace users
