#include "store/schema.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/mnemonic_column.h"
#include "store/statements.h"
#include "users/password_encoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace store {

QList<TableColumns> fixedTableColumns()
{
    return {
        { u"药品"_s, { u"名称"_s, u"代号"_s, u"生产厂家"_s, u"规格"_s, u"单位"_s, u"单价"_s, u"进价"_s, u"类型"_s } },
        { u"单位"_s,
          { u"单位名称"_s, u"责任人"_s, u"地址"_s, u"电话"_s, u"传真"_s, u"邮编"_s, u"信誉度"_s, u"加入人"_s,
            u"加入时间"_s } },
        { u"user"_s, { u"username"_s, u"userpassword"_s } },
        { u"password"_s, { u"super"_s } },
        { u"抬头"_s, { u"抬头"_s } },
        { u"流水号"_s, { u"流水号"_s } },
    };
}

namespace {

/** The fixed tables and the log tables of the super user and the administrator. */
QList<TableColumns> fixedTables()
{
    return fixedTableColumns() << TableColumns { u"super"_s, logTableColumns() }
                               << TableColumns { u"Orsvan"_s, logTableColumns() };
}

struct LookupColumn
{
    QString table;
    QString column;
    QString oldIndexName; // what databases made by earlier versions call its index
};

// Lookups by these columns ignore Latin letter case; a NOCASE index lets the engine answer them without a scan.
const QList<LookupColumn>& lookupColumns()
{
    static const QList<LookupColumn> columns {
        { u"药品"_s, u"名称"_s, u"lookup_1"_s },
        { u"药品"_s, u"代号"_s, u"lookup_2"_s },
        { u"user"_s, u"username"_s, u"lookup_3"_s },
        { u"单位"_s, u"单位名称"_s, u"lookup_4"_s },
    };
    return columns;
}

// Index and table names share one name space; the space keeps these out of the names units and clerks can have.
QString lookupIndexName(const LookupColumn& lookup)
{
    return lookup.table + u' ' + lookup.column;
}

bool createLookupIndex(platform::Database& db, const LookupColumn& lookup)
{
    return db.exec(createLookupIndexStatement(db, lookupIndexName(lookup), lookup.table, lookup.column));
}

bool fill(platform::Database& db)
{
    platform::Transaction transaction(db);
    if (!transaction.isActive() || !createServerFunctions(db))
        return false;
    for (const auto& table : fixedTables()) {
        if (!createTable(db, table.name, table.columns))
            return false;
    }
    for (const LookupColumn& lookup : lookupColumns()) {
        if (!createLookupIndex(db, lookup))
            return false;
    }
    if (!addMnemonicCodes(db))
        return false;
    const QString superPassword
        = users::EncodePassword(QString::fromUtf16(delivered::superUserPassword), users::Role::SuperUser);
    const QString adminPassword
        = users::EncodePassword(QString::fromUtf16(delivered::administratorPassword), users::Role::Administrator);
    return db.exec(u"INSERT INTO \"password\" (\"super\") VALUES (?)"_s, { superPassword })
        && db.exec(u"INSERT INTO \"user\" (\"username\", \"userpassword\") VALUES (?, ?)"_s,
                   { u"Orsvan"_s, adminPassword })
        && db.exec(u"INSERT INTO \"抬头\" (\"抬头\") VALUES (?)"_s, { QString::fromUtf16(delivered::letterhead) })
        && db.exec(u"INSERT INTO \"流水号\" (\"流水号\") VALUES (?)"_s, { QString::fromUtf16(delivered::firstSerial) })
        && markLayoutVersion(db) && transaction.commit();
}

} // namespace

bool createDeliveredDatabase(const QString& path, QString* error)
{
    // Built beside the target and renamed into place, so a crash never leaves a half-made database behind.
    const QString building = path + u".new"_s;
    QFile::remove(building);
    bool built = false;
    {
        platform::Database db(building);
        built = db.isOpen() && fill(db);
        if (!built && error)
            *error = db.lastError();
    }
    if (built && !QFile::rename(building, path)) {
        built = false;
        if (error)
            *error = u"cannot create %1"_s.arg(path);
    }
    if (!built)
        QFile::remove(building);
    return built;
}

bool createLookupIndexes(platform::Database& db)
{
    for (const LookupColumn& lookup : lookupColumns()) {
        if (tableExists(db, lookup.table) && !createLookupIndex(db, lookup))
            return false;
    }
    return true;
}

bool createDeliveredContent(platform::Database& db)
{
    return fill(db);
}

bool ensureDatabase(const QString& path, QString* error)
{
    if (QFileInfo::exists(path))
        return true;
    return createDeliveredDatabase(path, error);
}

bool renameOldLookupIndexes(platform::Database& db)
{
    QList<LookupColumn> old;
    for (const LookupColumn& lookup : lookupColumns()) {
        // An index of that name on another table is not the program's; it is left alone.
        if (indexedTable(db, lookup.oldIndexName).compare(lookup.table, Qt::CaseInsensitive) == 0)
            old << lookup;
    }
    if (old.isEmpty())
        return true;
    platform::Transaction transaction(db);
    if (!transaction.isActive())
        return false;
    for (const LookupColumn& lookup : old) {
        if (!db.exec(u"DROP INDEX %1"_s.arg(platform::quoteIdentifier(lookup.oldIndexName)))
            || !createLookupIndex(db, lookup))
            return false;
    }
    return transaction.commit();
}

} // namespace store
