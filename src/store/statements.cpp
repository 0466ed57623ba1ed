#include "store/statements.h"

#include "platform/database.h"
#include "store/table_names.h"

#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace store {

bool tableExists(platform::Database& database, const QString& name)
{
    // sqlite_master compares names without regard to ASCII letter case, as the engine does for table names.
    QSqlQuery query
        = database.prepare(u"SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"_s);
    query.addBindValue(name);
    return query.exec() && query.next();
}

bool createTable(platform::Database& database, const QString& name, const QStringList& columns)
{
    if (!isBareTableName(name)) {
        database.noteError(u"not a valid table name: %1"_s.arg(name));
        return false;
    }
    if (columns.isEmpty()) {
        database.noteError(u"a table needs columns"_s);
        return false;
    }
    QStringList declared;
    for (const auto& column : columns)
        declared << platform::quoteIdentifier(column) + u" TEXT"_s;
    // Without IF NOT EXISTS the engine itself refuses a name that is taken, in any letter case.
    return database.exec(u"CREATE TABLE %1 (%2)"_s.arg(platform::quoteIdentifier(name), declared.join(u',')));
}

bool dropTable(platform::Database& database, const QString& name)
{
    if (!isBareTableName(name)) {
        database.noteError(u"not a valid table name: %1"_s.arg(name));
        return false;
    }
    return database.exec(u"DROP TABLE %1"_s.arg(platform::quoteIdentifier(name)));
}

QStringList transactionTableColumns()
{
    return { u"交易年"_s, u"交易月"_s, u"交易日"_s, u"交易药品名"_s, u"产地"_s, u"数量"_s,
             u"单价"_s,   u"金额"_s,   u"批号"_s,   u"有效期"_s,     u"单位"_s, u"规格"_s };
}

QStringList companionTableColumns()
{
    return { u"年月日"_s, u"金额"_s, u"经手人"_s, u"备注"_s };
}

QStringList logTableColumns()
{
    return { u"年月日"_s, u"备注"_s };
}

} // namespace store
