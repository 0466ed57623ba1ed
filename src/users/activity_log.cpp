#include "users/activity_log.h"

#include "platform/clock.h"
#include "platform/database.h"
#include "store/bound_recordset.h"
#include "store/statements.h"

using namespace Qt::Literals::StringLiterals;

namespace users {

namespace {
ActivityLog* installed = nullptr;
}

QString logTimestamp(const QDateTime& moment)
{
    return moment.date().toString(u"yyyyMMdd"_s) + moment.time().toString(u"H:mm:ss"_s);
}

QString storedLogMessage(const QString& message)
{
    const qsizetype open = message.indexOf(u'(');
    const qsizetype close = message.indexOf(u')');
    if (open < 0 || close < open)
        return message;
    return message.left(open) + message.mid(open + 1, close - open - 1) + message.mid(close + 1);
}

ActivityLog::ActivityLog(platform::Database& database, const QString& table) : m_database(database), m_table(table) { }

void ActivityLog::add(const QString& message)
{
    m_pending.append({ logTimestamp(platform::clock().now()), message });
}

bool ActivityLog::save()
{
    if (m_pending.isEmpty())
        return true;
    store::BoundRecordset records(m_database, m_table);
    if (!records.isOpen())
        return false;
    platform::Transaction transaction(m_database);
    if (!transaction.isActive())
        return false;
    const QStringList fields = store::logTableColumns();
    for (const auto& entry : std::as_const(m_pending)) {
        if (!records.appendRecord(fields, { entry.timestamp, storedLogMessage(entry.message) }))
            return false;
    }
    if (!transaction.commit())
        return false;
    m_pending.clear();
    return true;
}

bool ActivityLog::periodicSave()
{
    if (m_pending.size() <= periodicThreshold)
        return true;
    return save();
}

ActivityLog* activityLog()
{
    return installed;
}

void setActivityLog(ActivityLog* log)
{
    installed = log;
}

void AddLogEntry(const QString& message)
{
    if (installed)
        installed->add(message);
}

} // namespace users
