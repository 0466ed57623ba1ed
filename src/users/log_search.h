#pragma once

#include "users/activity_log.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace platform {
class Database;
class TableRows;
} // namespace platform

namespace users {

/** Which log entries the log viewer shows. */
struct LogFilter
{
    QString user; ///< one user's entries; empty for every user's
    std::optional<QDate> from; ///< the first and last day of the entries shown, both or neither
    std::optional<QDate> to;
    QString textPart; ///< part of the message, Latin letter case ignored; empty for every message
};

/** The entries of a user's log still waiting to be saved, with the user they belong to. */
struct PendingLog
{
    QString user;
    QList<LogEntry> entries;
};

/** The pending entries of the signed-in user's log; none before a sign-in. */
PendingLog pendingLog();

/**
 * The users whose log tables the database holds: every table with exactly the columns of a log table (those of
 * deleted clerks stay), with the user of the pending entries; the super user and the administrator first, the rest
 * by name.
 */
QStringList logUsers(platform::Database& database, const PendingLog& pending);

/** The moment of an entry as shown: "2004-06-15 09:05:33"; a text in no known form is shown as stored. */
QString shownMoment(const QString& stored);

QStringList logHeadings();

/**
 * The entries a filter selects from every user's log table and from the entries not yet saved (in their stored
 * form), newest first, as rows of user, moment and action; read by the database a page at a time. Entries of one
 * moment keep their order, unsaved ones after saved ones. It only reads.
 */
class LogSearch final
{
public:
    LogSearch(platform::Database& database, const LogFilter& filter, const PendingLog& pending);

    /** nullopt when the database could not count them. */
    std::optional<qint64> count();
    /** How many of the entries selected are not saved yet. */
    qint64 pendingCount() const { return m_pendingShown; }
    std::unique_ptr<platform::TableRows> rows(qint64 count = -1) const;

private:
    QString source(QVariantList& values) const;

    platform::Database& m_database;
    LogFilter m_filter;
    PendingLog m_pending;
    QStringList m_tables;
    qint64 m_pendingShown = 0;
};

} // namespace users
