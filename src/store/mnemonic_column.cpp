#include "store/mnemonic_column.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/mnemonic.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

const QString catalogue = u"药品"_s;
const QString nameField = u"名称"_s;
// Table names of the program's own never hold a space, so no unit or clerk can own this one.
const QString fillTable = u"助记码 填写"_s;

bool hasColumn(platform::Database& db, const QString& table, const QString& column)
{
    // field names compare without regard to letter case, as the engine's do
    return tableColumns(db, table).contains(column, Qt::CaseInsensitive);
}

QString q(const QString& identifier)
{
    return platform::quoteIdentifier(identifier);
}

/** The names of the medicines that have no code yet, each once; nothing when they cannot be read. */
std::optional<QStringList> namesWithoutCode(platform::Database& db)
{
    QSqlQuery query = db.prepare(u"SELECT DISTINCT %1 FROM %2 WHERE %3 IS NULL AND %1 IS NOT NULL"_s.arg(
        q(nameField), engineTable(db, catalogue), q(mnemonicField())));
    if (!query.exec()) {
        db.noteError(query.lastError().text());
        return std::nullopt;
    }
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

std::optional<int> countWithoutCode(platform::Database& db)
{
    QSqlQuery query = db.prepare(u"SELECT count(*) FROM %1 WHERE %2 IS NULL AND %3 IS NOT NULL"_s.arg(
        engineTable(db, catalogue), q(mnemonicField()), q(nameField)));
    if (!query.exec() || !query.next()) {
        db.noteError(query.lastError().text());
        return std::nullopt;
    }
    return query.value(0).toInt();
}

/**
 * Writes the code of every name into the records of that name that have none. The codes go through a table of
 * names first, so the engine pairs each record with its name by an index however large the catalogue is.
 */
bool fillCodes(platform::Database& db, const QStringList& names)
{
    const std::optional<int> expected = countWithoutCode(db);
    if (!expected)
        return false;
    if (!db.exec(u"CREATE TEMPORARY TABLE %1 (%2 TEXT PRIMARY KEY, %3 TEXT)"_s.arg(q(fillTable), q(nameField),
                                                                                   q(mnemonicField()))))
        return false;
    QSqlQuery insert
        = db.prepare(u"INSERT INTO %1 (%2, %3) VALUES (?, ?)"_s.arg(q(fillTable), q(nameField), q(mnemonicField())));
    for (const QString& name : names) {
        insert.addBindValue(name);
        insert.addBindValue(mnemonicOf(name));
        if (!insert.exec()) {
            db.noteError(insert.lastError().text());
            return false;
        }
    }
    QSqlQuery update = db.prepare(
        u"UPDATE %1 SET %2 = (SELECT f.%2 FROM %3 f WHERE f.%4 = %1.%4) WHERE %2 IS NULL AND %4 IS NOT NULL"_s.arg(
            engineTable(db, catalogue), q(mnemonicField()), q(fillTable), q(nameField)));
    if (!update.exec()) {
        db.noteError(update.lastError().text());
        return false;
    }
    if (update.numRowsAffected() != *expected) {
        db.noteError(u"%1 of %2 codes written"_s.arg(update.numRowsAffected()).arg(*expected));
        return false;
    }
    return db.exec(u"DROP TABLE %1"_s.arg(q(fillTable)));
}

} // namespace

QString mnemonicField()
{
    return u"助记码"_s;
}

bool addMnemonicCodes(platform::Database& db)
{
    const bool columnThere = hasColumn(db, catalogue, mnemonicField());
    if (columnThere) {
        // the usual case, and one that writes nothing: every medicine has its code
        const std::optional<int> missing = countWithoutCode(db);
        if (!missing)
            return false;
        if (*missing == 0)
            return true;
    }
    platform::Transaction transaction(db);
    if (!transaction.isActive())
        return false;
    if (!columnThere
        && !db.exec(u"ALTER TABLE %1 ADD COLUMN %2 TEXT"_s.arg(engineTable(db, catalogue), q(mnemonicField()))))
        return false;
    const std::optional<QStringList> names = namesWithoutCode(db);
    if (!names || (!names->isEmpty() && !fillCodes(db, *names)))
        return false;
    return transaction.commit();
}

} // namespace store
