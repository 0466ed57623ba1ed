#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

struct sqlite3;

namespace platform {

/** The engines a database of this system can live in. */
enum class Engine { SQLite, PostgreSQL };

/**
 * One connection to a database: an SQLite file, or a PostgreSQL database named by a libpq URI (isServerUrl()). An
 * SQLite file keeps its rollback journal with synchronous=FULL, so a write that the program reported as done
 * survives a crash or a power cut. A server connection that was lost is opened again by the next statement run
 * outside a transaction.
 */
class Database final
{
public:
    /** Opens the file (creating it when it does not exist) or connects to the server; check isOpen(). */
    explicit Database(const QString& location);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool isOpen() const { return m_open; }
    Engine engine() const { return m_engine; }
    /** The file's path, or the server's URI. */
    QString path() const { return m_path; }
    /** The database as the user is told of it: the file's name, or the server's URI without a password. */
    QString shownName() const;
    /** The text of the last failure of this connection, for messages and tests. */
    QString lastError() const { return m_lastError; }

    /** A forward-only query prepared on this connection; false from exec() on a preparation failure as well. */
    QSqlQuery prepare(const QString& sql);
    /** Runs one statement with bound values; false (with lastError()) on failure. */
    bool exec(const QString& sql, const QVariantList& values = {});
    /** Runs statements as they are, without bound values: for text that holds "?" or ":" (function bodies). */
    bool execScript(const QString& sql);

    /** The SQLite handle behind the connection, for what Qt SQL does not reach; null on a server. */
    sqlite3* handle() const;
    QSqlDatabase connection() const;

    /** True when a transaction is open on the connection. */
    bool inTransaction() const;
    /** false when the server connection is known to be lost; it is then opened again before the next statement. */
    bool connectionAlive() const;

    void noteError(const QString& text) { m_lastError = text; }

private:
    friend class Transaction;
    bool openSqlite();
    bool openServer();
    bool reconnectWhenLost();
    void noteFailure(const QSqlQuery& query);

    QString m_path;
    QString m_connectionName;
    QString m_lastError;
    Engine m_engine = Engine::SQLite;
    bool m_open = false;
    bool m_serverTransaction = false; // a server keeps no flag the driver shows
    bool m_opening = false;
};

/**
 * A write of several statements: BEGIN IMMEDIATE (BEGIN on a server) on construction, ROLLBACK on destruction unless
 * commit() succeeded. Inside another transaction it becomes a savepoint, so operations can be combined.
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
