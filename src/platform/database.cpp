#include "platform/database.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>
#include <atomic>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

std::atomic<int> connectionCounter { 0 };
std::atomic<int> savepointCounter { 0 };

} // namespace

Database::Database(const QString& path) : m_path(path), m_connectionName(u"quenvale-%1"_s.arg(++connectionCounter))
{
    auto db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    db.setDatabaseName(path);
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return;
    }
    m_open = exec(u"PRAGMA journal_mode=DELETE"_s) && exec(u"PRAGMA synchronous=FULL"_s)
        && exec(u"PRAGMA foreign_keys=OFF"_s);
    // A file that is not an SQLite database opens without complaint; the first read tells.
    if (m_open)
        m_open = exec(u"SELECT count(*) FROM sqlite_master"_s);
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
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        m_lastError = query.lastError().text();
    return query;
}

bool Database::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        m_lastError = query.lastError().text();
        return false;
    }
    for (const auto& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        m_lastError = query.lastError().text();
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
    sqlite3* db = handle();
    return db && sqlite3_get_autocommit(db) == 0;
}

Transaction::Transaction(Database& database) : m_database(database)
{
    if (m_database.inTransaction()) {
        m_savepoint = u"nested_%1"_s.arg(++savepointCounter);
        m_active = m_database.exec(u"SAVEPOINT "_s + m_savepoint);
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
