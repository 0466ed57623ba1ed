#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace platform {
class Database;
}

namespace users {

struct LogEntry
{
    QString timestamp;
    QString message;

    bool operator==(const LogEntry&) const = default;
};

/** The moment of an entry as stored: year, two-digit month and day, then the time as H:mm:ss ("200406159:05:33"). */
QString logTimestamp(const QDateTime& moment);

/**
 * The message as stored: without its first "(" and first ")" when that ")" follows the "("; otherwise unchanged
 * (a user-typed name can hold brackets in any order).
 */
QString storedLogMessage(const QString& message);

/**
 * The entries written since the last save, kept in memory and appended to the signed-in user's log table in
 * batches. A save that cannot write keeps every entry pending, so nothing is lost or saved twice.
 */
class ActivityLog final
{
public:
    /** Pending entries above this many are saved at the next periodic tick. */
    static constexpr int periodicThreshold = 30;

    ActivityLog(platform::Database& database, const QString& table);

    QString table() const { return m_table; }
    const QList<LogEntry>& pending() const { return m_pending; }

    /** Adds an entry stamped with the clock's current time. */
    void add(const QString& message);
    /** Appends every pending entry to the table in one transaction and empties the list; false when it could not. */
    bool save();
    /** Saves when more than the threshold are pending; false only when such a save failed. */
    bool periodicSave();

private:
    platform::Database& m_database;
    QString m_table;
    QList<LogEntry> m_pending;
};

/** The log of the signed-in user, or nullptr before the sign-in. */
ActivityLog* activityLog();
/** Installs the log of the signed-in user (not owned); nullptr removes it. */
void setActivityLog(ActivityLog* log);

/** Adds an entry to the signed-in user's log; before a sign-in there is no log and nothing is kept. */
void AddLogEntry(const QString& message);

} // namespace users
