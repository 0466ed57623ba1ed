#include "store/database_check.h"

#include "platform/database.h"
#include "store/schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <atomic>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

// The administrator signs in under this name; the sign-in finds it in any letter case.
const QString administrator = u"Orsvan"_s;

/** The first column of every row the statement gives; nothing when it cannot be run. */
std::optional<QStringList> firstColumn(const QSqlDatabase& connection, const QString& sql)
{
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return std::nullopt;
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

bool hasRecord(const QSqlDatabase& connection, const QString& table)
{
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    return query.exec(u"SELECT 1 FROM "_s + platform::quoteIdentifier(table)) && query.next();
}

DatabaseCheck checkTables(const QSqlDatabase& connection)
{
    for (const TableColumns& table : fixedTableColumns()) {
        const QSqlRecord record = connection.record(table.name);
        if (record.isEmpty())
            return { DatabaseFault::MissingTable, table.name };
        for (const QString& column : table.columns) {
            // field names compare without regard to letter case, as the engine's do
            if (record.indexOf(column) < 0)
                return { DatabaseFault::MissingColumn, table.name + u'.' + column };
        }
    }
    return {};
}

DatabaseCheck checkRecords(const QSqlDatabase& connection)
{
    const std::optional<QStringList> users = firstColumn(connection, u"SELECT \"username\" FROM \"user\""_s);
    if (!users || !users->contains(administrator, Qt::CaseInsensitive))
        return { DatabaseFault::NoAdministrator, {} };
    if (!hasRecord(connection, u"password"_s))
        return { DatabaseFault::NoSuperUser, {} };
    if (!hasRecord(connection, u"流水号"_s))
        return { DatabaseFault::NoSerial, {} };
    return {};
}

/** The triggers' names; Qt SQL lists tables and views but not triggers, so this asks each engine its own way. */
std::optional<QStringList> triggerNames(const QSqlDatabase& connection)
{
    const QString sql = connection.driverName() == u"QSQLITE"_s
        ? u"SELECT name FROM sqlite_master WHERE type = 'trigger' ORDER BY name"_s
        : u"SELECT DISTINCT trigger_name FROM information_schema.triggers WHERE trigger_schema = current_schema() "
          u"ORDER BY trigger_name"_s;
    return firstColumn(connection, sql);
}

/** The views of the database's own schema (a server holds other schemas, which are none of this system's). */
std::optional<QStringList> viewNames(const QSqlDatabase& connection)
{
    if (connection.driverName() == u"QSQLITE"_s)
        return connection.tables(QSql::Views);
    return firstColumn(
        connection,
        u"SELECT table_name FROM information_schema.views WHERE table_schema = current_schema() ORDER BY table_name"_s);
}

DatabaseCheck checkCode(const QSqlDatabase& connection)
{
    const std::optional<QStringList> triggers = triggerNames(connection);
    const std::optional<QStringList> views = viewNames(connection);
    if (!triggers || !views)
        return { DatabaseFault::Unreadable, connection.lastError().text() };
    const QStringList code = *triggers + *views;
    if (!code.isEmpty())
        return { DatabaseFault::HoldsCode, code.join(u", "_s) };
    return {};
}

std::atomic<int> inspectionCounter { 0 };

/** checkDatabase() on a connection opened for the check alone. */
DatabaseCheck inspect(const QSqlDatabase& connection)
{
    // Not opened read-only: SQLite must still be able to roll back what a crash left half written, or a sound
    // database of this system would be refused after a power cut. query_only keeps every statement from writing.
    QSqlQuery query(connection);
    if (!query.exec(u"PRAGMA query_only = ON"_s))
        return { DatabaseFault::Unreadable, query.lastError().text() };
    // a file that is not a database opens without complaint; the first read tells
    if (!query.exec(u"SELECT count(*) FROM sqlite_master"_s))
        return { DatabaseFault::Unreadable, query.lastError().text() };
    query.finish();
    return checkDatabase(connection);
}

} // namespace

QString DatabaseCheck::cause() const
{
    switch (fault) {
    case DatabaseFault::None:
        return {};
    case DatabaseFault::Unreadable:
        return detail.isEmpty() ? u"文件不是可以读取的数据库"_s : u"文件不是可以读取的数据库(%1)"_s.arg(detail);
    case DatabaseFault::EmptyFile:
        return u"数据库文件是空的(0 字节)"_s;
    case DatabaseFault::MissingTable:
        return u"缺少数据表“%1”"_s.arg(detail);
    case DatabaseFault::MissingColumn:
        return u"数据表缺少字段“%1”"_s.arg(detail);
    case DatabaseFault::NoAdministrator:
        return u"数据表“user”中没有系统管理员的记录"_s;
    case DatabaseFault::NoSuperUser:
        return u"数据表“password”中没有超级用户的记录"_s;
    case DatabaseFault::NoSerial:
        return u"数据表“流水号”中没有流水号记录"_s;
    case DatabaseFault::HoldsCode:
        return u"数据库中有本系统不使用的触发器或视图: %1"_s.arg(detail);
    }
    return {};
}

DatabaseCheck checkDatabase(const QSqlDatabase& connection)
{
    if (!connection.isOpen())
        return { DatabaseFault::Unreadable, connection.lastError().text() };
    for (const auto check : { checkTables, checkRecords, checkCode }) {
        DatabaseCheck found = check(connection);
        if (!found.sound())
            return found;
    }
    return {};
}

DatabaseCheck checkDatabaseFile(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return { DatabaseFault::Unreadable, {} };
    // SQLite reads an empty file as an empty database; the user is better told what the file is
    if (file.size() == 0)
        return { DatabaseFault::EmptyFile, {} };
    const QString name = u"quenvale-check-%1"_s.arg(++inspectionCounter);
    DatabaseCheck result;
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        connection.setDatabaseName(path);
        result = connection.open() ? inspect(connection)
                                   : DatabaseCheck { DatabaseFault::Unreadable, connection.lastError().text() };
        connection.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace store
