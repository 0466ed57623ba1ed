#include "store/options.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/statements.h"

#include <QSqlQuery>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

const QString expiryWarningName = u"有效期预警月数"_s;

/** The stored value of a setting; an empty optional inside when nothing is stored; nullopt when unreadable. */
std::optional<std::optional<QString>> storedValue(platform::Database& database, const QString& name)
{
    if (!tableExists(database, optionsTableName()))
        return std::optional<QString>();
    QSqlQuery query = database.prepare(
        u"SELECT \"值\" FROM %1 WHERE \"名称\" = ?"_s.arg(engineTable(database, optionsTableName())));
    query.addBindValue(name);
    if (!query.exec())
        return std::nullopt;
    if (!query.next())
        return std::optional<QString>();
    return std::optional<QString>(query.value(0).toString());
}

bool createOptionsTable(platform::Database& database)
{
    // as every table of the program: on a server with its stored order, so that it copies like the others
    const QStringList statements = createTableStatements(database, optionsTableName(), { u"名称"_s, u"值"_s });
    return std::all_of(statements.cbegin(), statements.cend(),
                       [&database](const QString& statement) { return database.exec(statement); });
}

/** Writes one setting: the record of that name changed, or one added when there is none. */
bool storeValue(platform::Database& database, const QString& name, const QString& value)
{
    platform::Transaction transaction(database);
    if (!transaction.isActive())
        return false;
    if (!tableExists(database, optionsTableName()) && !createOptionsTable(database))
        return false;
    // a second desk storing the same setting meanwhile waits, so the name is never stored twice
    if (!lockTableForWrite(database, optionsTableName()))
        return false;
    const QString table = engineTable(database, optionsTableName());
    QSqlQuery update = database.prepare(u"UPDATE %1 SET \"值\" = ? WHERE \"名称\" = ?"_s.arg(table));
    update.addBindValue(value);
    update.addBindValue(name);
    if (!update.exec())
        return false;
    const int changed = update.numRowsAffected();
    if (changed < 0)
        return false;
    if (changed == 0) {
        QSqlQuery insert = database.prepare(u"INSERT INTO %1 (\"名称\", \"值\") VALUES (?, ?)"_s.arg(table));
        insert.addBindValue(name);
        insert.addBindValue(value);
        if (!insert.exec() || insert.numRowsAffected() != 1)
            return false;
    }
    return transaction.commit();
}

} // namespace

QString optionsTableName()
{
    return u"系统 选项"_s;
}

std::optional<int> expiryWarningMonths(platform::Database& database)
{
    const auto stored = storedValue(database, expiryWarningName);
    if (!stored)
        return std::nullopt;
    if (!*stored)
        return defaultExpiryWarningMonths;
    const QString text = stored->value().trimmed();
    bool isNumber = false;
    const int months = text.toInt(&isNumber);
    // only plain digits: a sign or a blank inside is no setting this program wrote
    const bool digitsOnly
        = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!isNumber || !digitsOnly || months < 0 || months > maxExpiryWarningMonths)
        return defaultExpiryWarningMonths;
    return months;
}

bool storeExpiryWarningMonths(platform::Database& database, int months)
{
    if (months < 0 || months > maxExpiryWarningMonths)
        return false;
    return storeValue(database, expiryWarningName, QString::number(months));
}

} // namespace store
