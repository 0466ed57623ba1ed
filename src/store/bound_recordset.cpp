#include "store/bound_recordset.h"

#include "platform/database.h"
#include "store/engine_sql.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

// The database folds the letter case of Latin letters only, in table, column and text comparisons alike.
bool sameName(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a.at(i).unicode();
        const char16_t y = b.at(i).unicode();
        if (x == y)
            continue;
        const auto lower = [](char16_t c) {
            return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
        };
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

// A value a window never filled is stored as the empty text, not as a missing value: criteria on "" find it, and it
// reads back as what was written.
QVariant textValue(const QString& text)
{
    return text.isNull() ? QVariant(u""_s) : QVariant(text);
}

QStringList emptyRecord(qsizetype size)
{
    return QStringList(size, QString());
}

QList<QStringList> readRecords(QSqlQuery& query, qsizetype fieldCount)
{
    QList<QStringList> records;
    while (query.next()) {
        QStringList record;
        for (int i = 0; i < fieldCount; ++i)
            record << query.value(i).toString();
        records << record;
    }
    return records;
}

} // namespace

BoundRecordset::BoundRecordset(platform::Database& database, QObject* parent)
    : QObject(parent), m_database(database) { }

BoundRecordset::BoundRecordset(platform::Database& database, const QString& table, QObject* parent)
    : QObject(parent), m_database(database)
{
    setRecordSource(table);
}

BoundRecordset::~BoundRecordset() = default;

bool BoundRecordset::setRecordSource(const QString& table)
{
    if (load(table))
        return true;
    // The controls of a closed source show nothing.
    emit currentChanged();
    return false;
}

bool BoundRecordset::refresh()
{
    return setRecordSource(m_table);
}

bool BoundRecordset::load(const QString& table)
{
    close();
    m_table = table;
    if (table.isEmpty()) {
        fail(u"no table is set"_s);
        return false;
    }

    const QStringList fields = tableColumns(m_database, table);
    if (fields.isEmpty()) {
        fail(m_database.lastError().isEmpty() ? u"table %1 does not exist"_s.arg(table)
                                              : u"table %1 does not exist (%2)"_s.arg(table, m_database.lastError()));
        return false;
    }
    const QString rowid = storedOrder(m_database, fields);
    if (rowid.isEmpty()) {
        fail(u"table %1 hides its stored order behind its column names"_s.arg(table));
        return false;
    }
    m_engineTable = engineTable(m_database, table);

    m_fields = fields;
    m_rowid = rowid;
    m_shown = emptyRecord(m_fields.size());
    const auto first = seek({}, {}, false);
    if (!first) {
        close();
        return false;
    }
    m_open = true;
    return makeCurrent(*first, Gap::BeforeFirst);
}

void BoundRecordset::close()
{
    m_open = false;
    m_fields.clear();
    m_rowid.clear();
    m_engineTable.clear();
    m_current.reset();
    m_gap = Gap::BeforeFirst;
    m_shown.clear();
    m_mode = Mode::None;
    m_pending.clear();
}

bool BoundRecordset::requireOpen()
{
    if (m_open)
        return true;
    fail(m_table.isEmpty() ? u"no table is set"_s : u"table %1 is not open"_s.arg(m_table));
    return false;
}

QString BoundRecordset::quotedTable() const
{
    return m_engineTable;
}

QString BoundRecordset::selectColumns() const
{
    QStringList quoted;
    for (const QString& field : m_fields)
        quoted << platform::quoteIdentifier(field);
    return quoted.join(u',');
}

int BoundRecordset::fieldIndex(const QString& field) const
{
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (sameName(m_fields.at(i), field))
            return int(i);
    }
    return -1;
}

void BoundRecordset::fail(const QString& text)
{
    m_lastError = text;
}

std::optional<std::optional<qint64>> BoundRecordset::seek(const QString& where, const QVariantList& values,
                                                          bool descending)
{
    QString sql = u"SELECT "_s + m_rowid + u" FROM "_s + quotedTable();
    if (!where.isEmpty())
        sql += u" WHERE "_s + where;
    sql += u" ORDER BY "_s + m_rowid + (descending ? u" DESC"_s : QString()) + u" LIMIT 1"_s;
    QSqlQuery query = m_database.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    if (!query.next())
        return std::optional<qint64>();
    return std::optional<qint64>(query.value(0).toLongLong());
}

std::optional<QString> BoundRecordset::beyondCursor(bool forward, QVariantList& values) const
{
    if (m_current) {
        values << *m_current;
        return m_rowid + (forward ? u" > ?"_s : u" < ?"_s);
    }
    switch (m_gap) {
    case Gap::BeforeFirst:
        if (forward)
            return QString();
        return std::nullopt;
    case Gap::AfterLast:
        if (forward)
            return std::nullopt;
        return QString();
    case Gap::Removed:
        values << (forward ? m_gapAfter : m_gapBefore);
        return m_rowid + (forward ? u" > ?"_s : u" < ?"_s);
    }
    return std::nullopt;
}

bool BoundRecordset::makeCurrent(std::optional<qint64> rowid, Gap gapIfNone)
{
    if (!rowid) {
        m_current.reset();
        m_gap = gapIfNone;
        m_shown = emptyRecord(m_fields.size());
        setMode(Mode::None, {});
        emit currentChanged();
        return true;
    }
    QSqlQuery query = m_database.prepare(u"SELECT "_s + selectColumns() + u" FROM "_s + quotedTable() + u" WHERE "_s
                                         + m_rowid + u" = ?"_s);
    query.addBindValue(*rowid);
    if (!query.exec()) {
        fail(query.lastError().text());
        return false;
    }
    const QList<QStringList> records = readRecords(query, m_fields.size());
    if (records.isEmpty()) {
        fail(u"the record is no longer in table %1"_s.arg(m_table));
        return false;
    }
    m_current = rowid;
    m_shown = records.first();
    setMode(Mode::None, {});
    emit currentChanged();
    return true;
}

bool BoundRecordset::moveWithin(const QString& where, const QVariantList& values, bool descending, Gap gapIfNone)
{
    const auto found = seek(where, values, descending);
    return found && makeCurrent(*found, gapIfNone);
}

bool BoundRecordset::moveFirst()
{
    if (!requireOpen())
        return false;
    const auto found = seek({}, {}, false);
    if (!found)
        return false;
    if (!*found) {
        fail(u"table %1 is empty"_s.arg(m_table));
        return false;
    }
    return makeCurrent(*found, Gap::BeforeFirst);
}

bool BoundRecordset::moveLast()
{
    if (!requireOpen())
        return false;
    const auto found = seek({}, {}, true);
    if (!found)
        return false;
    if (!*found) {
        fail(u"table %1 is empty"_s.arg(m_table));
        return false;
    }
    return makeCurrent(*found, Gap::AfterLast);
}

bool BoundRecordset::moveNext()
{
    if (!requireOpen())
        return false;
    QVariantList values;
    const auto where = beyondCursor(true, values);
    if (!where) {
        fail(u"there is no current record"_s);
        return false;
    }
    return moveWithin(*where, values, false, Gap::AfterLast);
}

bool BoundRecordset::movePrevious()
{
    if (!requireOpen())
        return false;
    QVariantList values;
    const auto where = beyondCursor(false, values);
    if (!where) {
        fail(u"there is no current record"_s);
        return false;
    }
    return moveWithin(*where, values, true, Gap::BeforeFirst);
}

bool BoundRecordset::moveToPosition(int position)
{
    if (!requireOpen())
        return false;
    if (position < 1) {
        fail(u"there is no record at position %1"_s.arg(position));
        return false;
    }
    QSqlQuery query = m_database.prepare(u"SELECT "_s + m_rowid + u" FROM "_s + quotedTable() + u" ORDER BY "_s
                                         + m_rowid + u" LIMIT 1 OFFSET ?"_s);
    query.addBindValue(position - 1);
    if (!query.exec()) {
        fail(query.lastError().text());
        return false;
    }
    if (!query.next()) {
        fail(u"there is no record at position %1"_s.arg(position));
        return false;
    }
    return makeCurrent(query.value(0).toLongLong(), Gap::BeforeFirst);
}

void BoundRecordset::findFrom(const Criterion& criterion, bool forward, bool fromCursor)
{
    m_noMatch = true;
    if (!requireOpen())
        return;
    const int field = fieldIndex(criterion.field);
    if (field < 0) {
        fail(u"table %1 has no field %2"_s.arg(m_table, criterion.field));
        return;
    }
    QString where = equalsIgnoringLatinCase(m_database, platform::quoteIdentifier(m_fields.at(field)));
    QVariantList values { textValue(criterion.value) };
    if (fromCursor) {
        const auto beyond = beyondCursor(forward, values);
        if (!beyond)
            return;
        if (!beyond->isEmpty())
            where += u" AND "_s + *beyond;
    }
    const auto found = seek(where, values, !forward);
    if (!found || !*found)
        return;
    if (makeCurrent(*found, m_gap))
        m_noMatch = false;
}

void BoundRecordset::findFirst(const Criterion& criterion)
{
    findFrom(criterion, true, false);
}

void BoundRecordset::findNext(const Criterion& criterion)
{
    findFrom(criterion, true, true);
}

void BoundRecordset::findPrevious(const Criterion& criterion)
{
    findFrom(criterion, false, true);
}

void BoundRecordset::findLast(const Criterion& criterion)
{
    findFrom(criterion, false, false);
}

int BoundRecordset::recordCount()
{
    if (!requireOpen())
        return 0;
    QSqlQuery query = m_database.prepare(u"SELECT count(*) FROM "_s + quotedTable());
    if (!query.exec() || !query.next()) {
        fail(query.lastError().text());
        return 0;
    }
    return query.value(0).toInt();
}

std::optional<QString> BoundRecordset::value(const QString& field) const
{
    const int index = fieldIndex(field);
    if (index < 0)
        return std::nullopt;
    if (m_mode != Mode::None)
        return m_pending.at(index);
    if (!m_current)
        return std::nullopt;
    return m_shown.at(index);
}

bool BoundRecordset::setValue(const QString& field, const QString& text)
{
    if (m_mode == Mode::None) {
        fail(u"no record is being added or edited"_s);
        return false;
    }
    const int index = fieldIndex(field);
    if (index < 0) {
        fail(u"table %1 has no field %2"_s.arg(m_table, field));
        return false;
    }
    m_pending[index] = text;
    return true;
}

void BoundRecordset::setMode(Mode mode, const QStringList& pending)
{
    m_mode = mode;
    m_pending = pending;
}

bool BoundRecordset::addNew()
{
    if (!requireOpen())
        return false;
    setMode(Mode::Adding, emptyRecord(m_fields.size()));
    emit currentChanged();
    return true;
}

bool BoundRecordset::edit()
{
    if (!requireOpen())
        return false;
    if (!m_current) {
        fail(u"there is no current record"_s);
        return false;
    }
    setMode(Mode::Editing, m_shown);
    return true;
}

bool BoundRecordset::update()
{
    if (m_mode == Mode::None) {
        fail(u"no record is being added or edited"_s);
        return false;
    }
    if (m_mode == Mode::Editing) {
        QStringList assignments;
        for (const QString& field : m_fields)
            assignments << platform::quoteIdentifier(field) + u" = ?"_s;
        QSqlQuery query = m_database.prepare(u"UPDATE "_s + quotedTable() + u" SET "_s + assignments.join(u", "_s)
                                             + u" WHERE "_s + m_rowid + u" = ?"_s);
        for (const QString& value : m_pending)
            query.addBindValue(textValue(value));
        query.addBindValue(*m_current);
        if (!query.exec()) {
            fail(query.lastError().text());
            return false;
        }
        if (query.numRowsAffected() != 1) {
            fail(u"the record is no longer in table %1"_s.arg(m_table));
            return false;
        }
        m_shown = m_pending;
        setMode(Mode::None, {});
        emit currentChanged();
        return true;
    }

    const auto appended = insertRecord(m_pending);
    if (!appended)
        return false;
    // The database may give the new record the number of a record removed from the end. It is still the last
    // record, so a cursor standing at the removed record's place must reach it going forward.
    if (!m_current && m_gap == Gap::Removed && *appended <= m_gapAfter)
        m_gapAfter = *appended - 1;
    setMode(Mode::None, {});
    emit currentChanged();
    return true;
}

void BoundRecordset::cancelUpdate()
{
    if (m_mode == Mode::None)
        return;
    setMode(Mode::None, {});
    emit currentChanged();
}

bool BoundRecordset::remove()
{
    if (!requireOpen())
        return false;
    if (!m_current) {
        fail(u"there is no current record"_s);
        return false;
    }
    QSqlQuery query = m_database.prepare(u"DELETE FROM "_s + quotedTable() + u" WHERE "_s + m_rowid + u" = ?"_s);
    query.addBindValue(*m_current);
    if (!query.exec()) {
        fail(query.lastError().text());
        return false;
    }
    setMode(Mode::None, {});
    m_gap = Gap::Removed;
    m_gapAfter = *m_current;
    m_gapBefore = *m_current;
    m_current.reset();
    return true;
}

bool BoundRecordset::appendRecord(const QStringList& fieldNames, const QStringList& values)
{
    if (!requireOpen())
        return false;
    if (fieldNames.size() != values.size()) {
        fail(u"%1 field names for %2 values"_s.arg(fieldNames.size()).arg(values.size()));
        return false;
    }
    QStringList record = emptyRecord(m_fields.size());
    for (qsizetype i = 0; i < fieldNames.size(); ++i) {
        const int index = fieldIndex(fieldNames.at(i));
        if (index < 0) {
            fail(u"table %1 has no field %2"_s.arg(m_table, fieldNames.at(i)));
            return false;
        }
        record[index] = values.at(i);
    }
    const auto appended = insertRecord(record);
    return appended && makeCurrent(*appended, m_gap);
}

std::optional<qint64> BoundRecordset::insertRecord(const QStringList& record)
{
    QSqlQuery query = m_database.prepare(u"INSERT INTO "_s + quotedTable() + u" ("_s + selectColumns() + u") VALUES ("_s
                                         + QStringList(m_fields.size(), u"?"_s).join(u',') + u")"_s
                                         + returningStoredOrder(m_database));
    for (const QString& value : record)
        query.addBindValue(textValue(value));
    if (!query.exec()) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    const auto order = insertedOrder(m_database, query);
    if (!order)
        fail(u"the new record's place in table %1 is not known"_s.arg(m_table));
    return order;
}

QList<QStringList> BoundRecordset::findAll(const Criterion& criterion)
{
    QList<QStringList> records;
    if (!requireOpen())
        return records;
    const int field = fieldIndex(criterion.field);
    if (field < 0) {
        fail(u"table %1 has no field %2"_s.arg(m_table, criterion.field));
        return records;
    }
    QSqlQuery query
        = m_database.prepare(u"SELECT "_s + selectColumns() + u" FROM "_s + quotedTable() + u" WHERE "_s
                             + equalsIgnoringLatinCase(m_database, platform::quoteIdentifier(m_fields.at(field)))
                             + u" ORDER BY "_s + m_rowid);
    query.addBindValue(textValue(criterion.value));
    if (!query.exec()) {
        fail(query.lastError().text());
        return records;
    }
    return readRecords(query, m_fields.size());
}

QList<QStringList> BoundRecordset::allRecords()
{
    QList<QStringList> records;
    if (!requireOpen())
        return records;
    QSqlQuery query
        = m_database.prepare(u"SELECT "_s + selectColumns() + u" FROM "_s + quotedTable() + u" ORDER BY "_s + m_rowid);
    if (!query.exec()) {
        fail(query.lastError().text());
        return records;
    }
    return readRecords(query, m_fields.size());
}

} // namespace store
