#include "platform/database.h"

#include "platform/server_url.h"

#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>
#include <atomic>
#include <libpq-fe.h>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

std::atomic<int> connectionCounter { 0 };
std::atomic<int> savepointCounter { 0 };

} // namespace

Database::Database(const QString& location)
    : m_path(location)
    , m_connectionName(u"quenvale-%1"_s.arg(++connectionCounter))
    , m_engine(isServerUrl(location) ? Engine::PostgreSQL : Engine::SQLite)
{
    m_open = m_engine == Engine::SQLite ? openSqlite() : openServer();
}

bool Database::openSqlite()
{
    auto db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    db.setDatabaseName(m_path);
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return false;
    }
    // A file that is not an SQLite database opens without complaint; the first read tells.
    return exec(u"PRAGMA journal_mode=DELETE"_s) && exec(u"PRAGMA synchronous=FULL"_s)
        && exec(u"PRAGMA foreign_keys=OFF"_s) && exec(u"SELECT count(*) FROM sqlite_master"_s);
}

bool Database::openServer()
{
    const ServerUrl url = parseServerUrl(m_path);
    if (!url.error.isEmpty()) {
        m_lastError = url.error;
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(u"QPSQL"_s)) {
        m_lastError = u"Qt's PostgreSQL driver (QPSQL) is not installed"_s;
        return false;
    }
    auto db = QSqlDatabase::contains(m_connectionName) ? QSqlDatabase::database(m_connectionName, false)
                                                       : QSqlDatabase::addDatabase(u"QPSQL"_s, m_connectionName);
    db.setHostName(url.host);
    if (url.port > 0)
        db.setPort(url.port);
    db.setDatabaseName(url.database);
    db.setUserName(url.user);
    // A desk that cannot reach the server says so within seconds rather than hanging.
    db.setConnectOptions((url.options + QStringList { u"connect_timeout=10"_s }).join(u';'));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return false;
    }
    m_serverTransaction = false;
    m_opening = true;
    const auto opened = qScopeGuard([this] { m_opening = false; });
    // Texts compare by their code points, as on an SQLite file; numbers print with every digit they carry.
    return exec(u"SET extra_float_digits = 3"_s) && exec(u"SET client_min_messages = warning"_s);
}

QString Database::shownName() const
{
    return m_engine == Engine::SQLite ? m_path : shownServerUrl(m_path);
}

bool Database::connectionAlive() const
{
    if (m_engine != Engine::PostgreSQL)
        return true;
    const QVariant handle = connection().driver()->handle();
    // Qt names the type by libpq's own struct name
    if (!handle.isValid()
        || (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return false;
    auto* conn = *static_cast<PGconn* const*>(handle.data());
    return conn && PQstatus(conn) == CONNECTION_OK;
}

bool Database::reconnectWhenLost()
{
    // Within a transaction a new connection would silently lose what the transaction wrote; the transaction fails
    // instead, and the next statement after it reconnects.
    if (m_engine != Engine::PostgreSQL || m_serverTransaction || m_opening || connectionAlive())
        return true;
    {
        auto db = connection();
        db.close();
    }
    m_open = openServer();
    return m_open;
}

void Database::noteFailure(const QSqlQuery& query)
{
    m_lastError = query.lastError().text();
    if (!connectionAlive() && !m_lastError.contains(u"connection"_s, Qt::CaseInsensitive))
        m_lastError += u" (the connection to the server was lost)"_s;
}

Database::~Database()
{
    {
        auto db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QSqlQuery Database::prepare(const QString& sql)
{
    reconnectWhenLost();
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        noteFailure(query);
    return query;
}

bool Database::exec(const QString& sql, const QVariantList& values)
{
    // The server prepares only queries and changes of rows; the other statements (BEGIN, CREATE, LOCK, SET) go as
    // they are, and they bind no values.
    if (m_engine == Engine::PostgreSQL && values.isEmpty())
        return execScript(sql);
    reconnectWhenLost();
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        noteFailure(query);
        return false;
    }
    for (const auto& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        noteFailure(query);
        return false;
    }
    return true;
}

bool Database::execScript(const QString& sql)
{
    reconnectWhenLost();
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        noteFailure(query);
        return false;
    }
    return true;
}

sqlite3* Database::handle() const
{
    const QVariant handle = connection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

bool Database::inTransaction() const
{
    if (m_engine == Engine::PostgreSQL)
        return m_serverTransaction;
    sqlite3* db = handle();
    return db && sqlite3_get_autocommit(db) == 0;
}

Transaction::Transaction(Database& database) : m_database(database)
{
    if (m_database.inTransaction()) {
        m_savepoint = u"nested_%1"_s.arg(++savepointCounter);
        m_active = m_database.exec(u"SAVEPOINT "_s + m_savepoint);
    } else if (m_database.engine() == Engine::PostgreSQL) {
        m_active = m_database.exec(u"BEGIN"_s);
        m_database.m_serverTransaction = m_active;
    } else {
        m_active = m_database.exec(u"BEGIN IMMEDIATE"_s);
    }
}

Transaction::~Transaction()
{
    if (m_active)
        rollback();
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    const bool committed
        = m_savepoint.isEmpty() ? m_database.exec(u"COMMIT"_s) : m_database.exec(u"RELEASE "_s + m_savepoint);
    if (!committed) {
        rollback();
        return false;
    }
    m_active = false;
    if (m_savepoint.isEmpty())
        m_database.m_serverTransaction = false;
    return true;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    const QString error = m_database.lastError();
    if (m_savepoint.isEmpty()) {
        // SQLite may already have rolled the transaction back by itself (a full disk, an I/O error); then there is
        // nothing left to undo.
        if (m_database.inTransaction())
            m_database.exec(u"ROLLBACK"_s);
        // On a lost connection the server has rolled back already.
        m_database.m_serverTransaction = false;
    } else if (m_database.inTransaction()) {
        m_database.exec(u"ROLLBACK TO "_s + m_savepoint);
        m_database.exec(u"RELEASE "_s + m_savepoint);
    }
    m_database.noteError(error);
}

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

} // namespace platform
