#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

struct sqlite3;

namespace platform {

/**
 * One connection to an SQLite file. The file keeps SQLite's rollback journal with synchronous=FULL, so a write that
 * the program reported as done survives a crash or a power cut.
 */
class Database final
{
public:
    /** Opens the file, creating it when it does not exist; check isOpen(). */
    explicit Database(const QString& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    /** The text of the last failure of this connection, for messages and tests. */
    QString lastError() const { return m_lastError; }

    /** A forward-only query prepared on this connection; false from exec() on a preparation failure as well. */
    QSqlQuery prepare(const QString& sql);
    /** Runs one statement with bound values; false (with lastError()) on failure. */
    bool exec(const QString& sql, const QVariantList& values = {});

    /** The SQLite handle behind the connection, for what Qt SQL does not reach. */
    sqlite3* handle() const;
    QSqlDatabase connection() const;

    /** True when a transaction is open on the connection. */
    bool inTransaction() const;

    void noteError(const QString& text) { m_lastError = text; }

private:
    QString m_path;
    QString m_connectionName;
    QString m_lastError;
    bool m_open = false;
};

/**
 * A write of several statements: BEGIN IMMEDIATE on construction, ROLLBACK on destruction unless commit() succeeded.
 * Inside another transaction it becomes a savepoint, so operations can be combined.
 */
class Transaction final
{
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return m_active; }
    /** false when the commit failed; the changes are then rolled back. */
    bool commit();
    void rollback();

private:
    Database& m_database;
    QString m_savepoint; // empty for an outermost transaction
    bool m_active = false;
};

/** An identifier in double quotes with any inner double quote doubled. */
QString quoteIdentifier(const QString& name);

} // namespace platform
