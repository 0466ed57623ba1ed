#include "store/engine_sql.h"

#include "platform/database.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

using platform::Engine;

bool onServer(const platform::Database& database)
{
    return database.engine() == Engine::PostgreSQL;
}

// The server's ordering column: a name with a space, which no column the program declares has.
const QString orderColumn = u"stored order"_s;

// Latin letters only, as the lookups compare: every other character is compared exactly.
QString foldLatin(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - u'A' + u'a');
    }
    return folded;
}

QString foldLatinSql(const QString& expression)
{
    return u"translate(%1, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')"_s.arg(expression);
}

QString textLiteral(QString text)
{
    text.replace(u'\'', u"''"_s);
    return u'\'' + text + u'\'';
}

std::optional<QStringList> firstColumn(platform::Database& database, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = database.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return std::nullopt;
    QStringList found;
    while (query.next())
        found << query.value(0).toString();
    return found;
}

/** The server's name of an existing table, found in any Latin letter case; empty when there is none. */
QString existingServerTable(platform::Database& database, const QString& table)
{
    const QString identifier = serverIdentifier(table);
    if (identifier != table) {
        const auto found = firstColumn(
            database, u"SELECT tablename FROM pg_tables WHERE schemaname = current_schema() AND tablename = ?"_s,
            { identifier });
        return found && !found->isEmpty() ? found->first() : QString();
    }
    const auto found = firstColumn(database,
                                   u"SELECT tablename FROM pg_tables WHERE schemaname = current_schema() AND "_s
                                       + foldLatinSql(u"tablename"_s) + u" = ? ORDER BY tablename"_s,
                                   { foldLatin(table) });
    if (!found || found->isEmpty())
        return {};
    // the spelling given wins when several tables differ only in letter case
    return found->contains(table) ? table : found->first();
}

} // namespace

QString serverIdentifier(const QString& name)
{
    if (name.toUtf8().size() <= serverIdentifierBytes)
        return name;
    const QString folded = foldLatin(name);
    const QString hash
        = QString::fromLatin1(QCryptographicHash::hash(folded.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    const qsizetype room = serverIdentifierBytes - 1 - hash.size();
    QString prefix;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < folded.size();) {
        const qsizetype width = folded.at(i).isHighSurrogate() && i + 1 < folded.size() ? 2 : 1;
        const QString character = folded.mid(i, width);
        const qsizetype size = character.toUtf8().size();
        if (bytes + size > room)
            break;
        prefix += character;
        bytes += size;
        i += width;
    }
    return prefix + u'~' + hash;
}

QString engineTable(platform::Database& database, const QString& table)
{
    if (!onServer(database))
        return platform::quoteIdentifier(table);
    const QString existing = existingServerTable(database, table);
    return platform::quoteIdentifier(existing.isEmpty() ? serverIdentifier(table) : existing);
}

QString engineIndex(const platform::Database& database, const QString& index)
{
    return platform::quoteIdentifier(onServer(database) ? serverIdentifier(index) : index);
}

bool tableExists(platform::Database& database, const QString& table)
{
    if (onServer(database))
        return !existingServerTable(database, table).isEmpty();
    // sqlite_master compares names without regard to ASCII letter case, as the engine does for table names.
    const auto found = firstColumn(
        database, u"SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"_s, { table });
    return found && !found->isEmpty();
}

QStringList tableColumns(platform::Database& database, const QString& table)
{
    if (!onServer(database))
        return firstColumn(database, u"SELECT name FROM pragma_table_info(?) ORDER BY cid"_s, { table })
            .value_or(QStringList());
    const QString existing = existingServerTable(database, table);
    if (existing.isEmpty())
        return {};
    QStringList columns = firstColumn(database,
                                      u"SELECT attname FROM pg_attribute WHERE attrelid = to_regclass(?) AND "
                                      u"attnum > 0 AND NOT attisdropped ORDER BY attnum"_s,
                                      { platform::quoteIdentifier(existing) })
                              .value_or(QStringList());
    columns.removeAll(orderColumn);
    return columns;
}

std::optional<QStringList> tableNames(platform::Database& database)
{
    std::optional<QStringList> names;
    if (onServer(database)) {
        QSqlQuery query = database.prepare(
            u"SELECT c.relname, obj_description(c.oid, 'pg_class') FROM pg_class c JOIN pg_namespace n ON "
            u"n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relkind = 'r'"_s);
        if (!query.exec())
            return std::nullopt;
        names.emplace();
        while (query.next()) {
            const QString engineName = query.value(0).toString();
            const QString comment = query.value(1).toString();
            // a shortened name keeps the whole one in its comment; a comment someone else wrote is not taken
            names->append(!comment.isEmpty() && serverIdentifier(comment) == engineName ? comment : engineName);
        }
    } else {
        names = firstColumn(
            database,
            u"SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"_s, {});
    }
    if (names)
        names->sort();
    return names;
}

bool indexExists(platform::Database& database, const QString& index)
{
    const auto found = onServer(database)
        ? firstColumn(database, u"SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND indexname = ?"_s,
                      { serverIdentifier(index) })
        : firstColumn(database, u"SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ? COLLATE NOCASE"_s,
                      { index });
    return found && !found->isEmpty();
}

QStringList indexNames(platform::Database& database)
{
    const auto names = onServer(database)
        ? firstColumn(database, u"SELECT indexname FROM pg_indexes WHERE schemaname = current_schema()"_s, {})
        : firstColumn(database, u"SELECT name FROM sqlite_master WHERE type = 'index'"_s, {});
    QStringList quoted;
    for (const QString& name : names.value_or(QStringList()))
        quoted << platform::quoteIdentifier(name);
    return quoted;
}

QString indexedTable(platform::Database& database, const QString& index)
{
    const auto found = onServer(database)
        ? firstColumn(database,
                      u"SELECT tablename FROM pg_indexes WHERE schemaname = current_schema() AND indexname = ?"_s,
                      { serverIdentifier(index) })
        : firstColumn(database,
                      u"SELECT tbl_name FROM sqlite_master WHERE type = 'index' AND name = ? COLLATE NOCASE"_s,
                      { index });
    return found && !found->isEmpty() ? found->first() : QString();
}

QStringList createTableStatements(platform::Database& database, const QString& table, const QStringList& columns)
{
    QStringList declared;
    for (const auto& column : columns)
        declared << platform::quoteIdentifier(column) + u" TEXT"_s;
    if (!onServer(database))
        return { u"CREATE TABLE %1 (%2)"_s.arg(platform::quoteIdentifier(table), declared.join(u',')) };
    const QString identifier = serverIdentifier(table);
    // Last, so that an INSERT without a column list fills the text columns. Its sequence and index are named with a
    // space, out of the names units and clerks can have.
    declared.append(u"%1 bigint GENERATED ALWAYS AS IDENTITY (SEQUENCE NAME %2) CONSTRAINT %3 PRIMARY KEY"_s.arg(
        platform::quoteIdentifier(orderColumn), platform::quoteIdentifier(serverIdentifier(table + u" 顺序"_s)),
        platform::quoteIdentifier(serverIdentifier(table + u" 顺序键"_s))));
    QStringList statements { u"CREATE TABLE %1 (%2)"_s.arg(platform::quoteIdentifier(identifier),
                                                           declared.join(u',')) };
    if (identifier != table)
        statements << u"COMMENT ON TABLE %1 IS %2"_s.arg(platform::quoteIdentifier(identifier), textLiteral(table));
    return statements;
}

QString storedOrder(const platform::Database& database, const QStringList& columns)
{
    if (onServer(database))
        return platform::quoteIdentifier(orderColumn);
    // A column may carry one of the names of SQLite's stored order and hide it; any of the three reaches it.
    for (const QString& candidate : { u"rowid"_s, u"_rowid_"_s, u"oid"_s }) {
        if (std::none_of(columns.cbegin(), columns.cend(), [&](const QString& c) { return foldLatin(c) == candidate; }))
            return candidate;
    }
    return {};
}

QString returningStoredOrder(const platform::Database& database)
{
    return onServer(database) ? u" RETURNING "_s + platform::quoteIdentifier(orderColumn) : QString();
}

std::optional<qint64> insertedOrder(const platform::Database& database, QSqlQuery& insert)
{
    if (!onServer(database))
        return insert.lastInsertId().toLongLong();
    if (!insert.next())
        return std::nullopt;
    return insert.value(0).toLongLong();
}

QString equalsIgnoringLatinCase(const platform::Database& database, const QString& quotedColumn)
{
    if (onServer(database))
        return foldLatinSql(quotedColumn) + u" = "_s + foldLatinSql(u"?"_s);
    // The collation on the right-hand side lets the lookup use an index declared COLLATE NOCASE on the column.
    return quotedColumn + u" = ? COLLATE NOCASE"_s;
}

QString createLookupIndexStatement(const platform::Database& database, const QString& index, const QString& table,
                                   const QString& column)
{
    const QString quotedColumn = platform::quoteIdentifier(column);
    return u"CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)"_s.arg(
        engineIndex(database, index), platform::quoteIdentifier(onServer(database) ? serverIdentifier(table) : table),
        onServer(database) ? u"("_s + foldLatinSql(quotedColumn) + u")"_s : quotedColumn + u" COLLATE NOCASE"_s);
}

QString saleDateIndexTail(const platform::Database& database)
{
    // An SQLite index keeps equal keys in rowid order by itself.
    return onServer(database) ? u", "_s + platform::quoteIdentifier(orderColumn) : QString();
}

QString numValueTotal(const platform::Database& database, const QString& expression)
{
    // Both add the values one by one in the order given, with no compensation: the same doubles, the same sum.
    return onServer(database) ? u"coalesce(sum(numvalue(%1)), 0)"_s.arg(expression)
                              : u"total(numvalue(%1))"_s.arg(expression);
}

bool markLayoutVersion(platform::Database& database)
{
    return onServer(database) || database.exec(u"PRAGMA user_version = 1"_s);
}

bool lockTableForWrite(platform::Database& database, const QString& table)
{
    if (!onServer(database))
        return true;
    // Readers go on; a second writer waits here until the first one's transaction ends.
    return database.exec(u"LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE"_s.arg(engineTable(database, table)));
}

bool readConsistently(platform::Database& database)
{
    return !onServer(database) || database.exec(u"SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"_s);
}

bool createServerFunctions(platform::Database& database)
{
    if (!onServer(database))
        return true;
    // NumValue read the slow way: the blanks dropped, sign, digits, point, digits and an exponent with digits taken
    // from the front, the text so made read as a double; too large gives the largest double of its sign, too small 0.
    static const QString parse = uR"sql(
CREATE FUNCTION numvalue_read(t text) RETURNS double precision LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $body$
DECLARE
    s text := translate(t, E' \t\n', '');
    m text[];
    e text[];
    exponent bigint := 0;
    digits text;
    v double precision;
BEGIN
    m := regexp_match(s, '^([+-]?)([0-9]*)(\.([0-9]*))?(.*)$', 's');
    IF m[2] = '' AND coalesce(m[4], '') = '' THEN
        RETURN 0;
    END IF;
    e := regexp_match(m[5], '^[eE]([+-]?)([0-9]+)', 's');
    IF e IS NOT NULL THEN
        exponent := CASE WHEN length(ltrim(e[2], '0')) > 7 THEN 1000000
                         ELSE least(CAST('0' || e[2] AS bigint), 1000000) END;
        IF e[1] = '-' THEN
            exponent := -exponent;
        END IF;
    END IF;
    BEGIN
        v := CAST(CASE WHEN m[1] = '-' THEN '-' ELSE '' END || CASE WHEN m[2] = '' THEN '0' ELSE m[2] END
                  || CASE WHEN coalesce(m[4], '') = '' THEN '' ELSE '.' || m[4] END || 'e' || exponent
                  AS double precision);
    EXCEPTION WHEN numeric_value_out_of_range THEN
        digits := ltrim(m[2] || coalesce(m[4], ''), '0');
        IF digits = '' OR length(m[2]) - (length(m[2] || coalesce(m[4], '')) - length(digits)) + exponent <= 0 THEN
            RETURN 0;
        END IF;
        RETURN CASE WHEN m[1] = '-' THEN -1.7976931348623157e308 ELSE 1.7976931348623157e308 END;
    END;
    RETURN CASE WHEN v = 0 THEN 0 ELSE v END;
END
$body$)sql"_s;
    // Stored amounts are plain decimals, read directly; an SQL function is folded into the statement that calls it.
    static const QString numvalue = uR"sql(
CREATE FUNCTION numvalue(t text) RETURNS double precision LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $body$
SELECT CASE WHEN t IS NULL THEN CAST(0 AS double precision)
            WHEN t ~ '^[0-9]{1,15}([.][0-9]{0,15})?$' THEN CAST(t AS double precision)
            ELSE numvalue_read(t) END
$body$)sql"_s;
    return database.execScript(parse) && database.execScript(numvalue);
}

} // namespace store
