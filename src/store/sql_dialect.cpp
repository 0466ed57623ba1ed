#include "store/sql_dialect.h"

#include "platform/database.h"
#include "store/engine_sql.h"

#include <QMap>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

// The escape character of containsPattern(): any character that a LIKE pattern gives no meaning of its own.
constexpr char16_t likeEscape = u'!';

QString folded(const QString& name)
{
    QString result = name;
    for (QChar& c : result) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - u'A' + u'a');
    }
    return result;
}

} // namespace

QString qualifiedStoredOrder(const platform::Database& database, const QString& alias, const QStringList& columns)
{
    return alias + u'.' + storedOrder(database, columns);
}

QString containsCondition(const QString& expression)
{
    // lower() on both sides: the engines differ in whether LIKE itself ignores letter case.
    return u"lower(COALESCE(%1, '')) LIKE lower(?) ESCAPE '%2'"_s.arg(expression, QString(likeEscape));
}

QString containsPattern(const QString& part)
{
    QString escaped;
    for (const QChar c : part) {
        if (c == u'%' || c == u'_' || c == likeEscape)
            escaped += likeEscape;
        escaped += c;
    }
    return u'%' + escaped + u'%';
}

QStringList tablesWithColumns(platform::Database& database, const QStringList& columns)
{
    QSet<QString> wanted;
    for (const QString& column : columns)
        wanted.insert(folded(column));
    const std::optional<QStringList> names = tableNames(database);
    if (!names)
        return {};
    QMap<QString, QSet<QString>> found;
    for (const QString& table : *names) {
        for (const QString& column : tableColumns(database, table))
            found[table].insert(folded(column));
    }
    QStringList tables;
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        if (it.value() == wanted && it.value().size() == columns.size())
            tables << it.key();
    }
    return tables;
}

} // namespace store
