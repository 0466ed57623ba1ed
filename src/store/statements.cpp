#include "store/statements.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/table_names.h"

#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace store {

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
    // Without IF NOT EXISTS an SQLite file itself refuses a name that is taken, in any letter case; a server tells
    // letter cases apart, so the name is looked for first (and the server refuses the same spelling by itself).
    if (database.engine() != platform::Engine::SQLite && tableExists(database, name)) {
        database.noteError(u"table %1 already exists"_s.arg(name));
        return false;
    }
    platform::Transaction transaction(database);
    if (!transaction.isActive())
        return false;
    for (const QString& statement : createTableStatements(database, name, columns)) {
        if (!database.exec(statement))
            return false;
    }
    return transaction.commit();
}

bool dropTable(platform::Database& database, const QString& name)
{
    if (!isBareTableName(name)) {
        database.noteError(u"not a valid table name: %1"_s.arg(name));
        return false;
    }
    return database.exec(u"DROP TABLE %1"_s.arg(engineTable(database, name)));
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
