#include "store/sql_dialect.h"

#include "platform/database.h"

#include <QMap>
#include <QSet>
#include <QSqlQuery>

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

QString storedOrder(const QString& alias)
{
    return alias + u".rowid"_s;
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
    QSqlQuery query = database.prepare(u"SELECT m.name, p.name FROM sqlite_master AS m, pragma_table_info(m.name) AS p "
                                       u"WHERE m.type = 'table' ORDER BY m.name"_s);
    if (!query.exec())
        return {};
    QMap<QString, QSet<QString>> found;
    while (query.next())
        found[query.value(0).toString()].insert(folded(query.value(1).toString()));
    QStringList tables;
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        if (it.value() == wanted && it.value().size() == columns.size())
            tables << it.key();
    }
    return tables;
}

} // namespace store
