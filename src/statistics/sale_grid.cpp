#include "statistics/sale_grid.h"

#include "platform/database.h"
#include "platform/table_rows.h"
#include "statistics/registers.h"
#include "statistics/sale_history.h"
#include "store/engine_sql.h"
#include "store/numbers.h"
#include "store/paged_query.h"
#include "store/sale_date_index.h"
#include "store/sql_dialect.h"
#include "store/sql_functions.h"
#include "store/statements.h"
#include "store/table_names.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

/** The columns every term of the read gives, by the names the outer query uses. */
const QStringList lineColumns {
    u"sale_year"_s, u"sale_month"_s, u"sale_day"_s, u"medicine"_s, u"maker"_s, u"spec"_s,
    u"sale_unit"_s, u"quantity"_s,   u"price"_s,    u"amount"_s,   u"batch"_s, u"expiry"_s
};

/** The stored column behind each of lineColumns. */
const QStringList storedColumns { u"交易年"_s, u"交易月"_s, u"交易日"_s, u"交易药品名"_s, u"产地"_s, u"规格"_s,
                                  u"单位"_s,   u"数量"_s,   u"单价"_s,   u"金额"_s,       u"批号"_s, u"有效期"_s };

QString dateKey(const QString& year, const QString& month, const QString& day)
{
    return u"numvalue(%1) * 10000 + numvalue(%2) * 100 + numvalue(%3)"_s.arg(year, month, day);
}

double dayNumber(const QDate& date)
{
    return date.year() * 10000.0 + date.month() * 100.0 + date.day();
}

/** The WHERE clause of a unit's lines under the filter, over the table's alias s; empty for none. */
QString filterClause(const SaleGridFilter& filter, QVariantList& values)
{
    QStringList terms;
    if (filter.from && filter.to && *filter.from > *filter.to) {
        terms << u"1 = 0"_s;
    } else if (filter.from && filter.to) {
        // The year and month texts of the range in their stored form narrow the read to those of the sale-date index
        // (and leave out what the statistics leave out); the day numbers then bound it exactly.
        QStringList years;
        for (int year = filter.from->year(); year <= filter.to->year(); ++year) {
            years << u"?"_s;
            values << store::NumText(year);
        }
        QStringList months;
        const int monthCount
            = (filter.to->year() - filter.from->year()) * 12 + filter.to->month() - filter.from->month();
        for (int i = 0; i <= qMin(monthCount, 11); ++i) {
            months << u"?"_s;
            values << store::NumText((filter.from->month() - 1 + i) % 12 + 1);
        }
        terms << u"s.\"交易年\" IN (%1)"_s.arg(years.join(u", "_s));
        terms << u"s.\"交易月\" IN (%1)"_s.arg(months.join(u", "_s));
        terms << dateKey(u"s.\"交易年\""_s, u"s.\"交易月\""_s, u"s.\"交易日\""_s) + u" BETWEEN ? AND ?"_s;
        values << dayNumber(*filter.from) << dayNumber(*filter.to);
    }
    if (!filter.medicinePart.isEmpty()) {
        terms << store::containsCondition(u"s.\"交易药品名\""_s);
        values << store::containsPattern(filter.medicinePart);
    }
    return terms.join(u" AND "_s);
}

/** One unit's lines as a SELECT, with the unit's name and the stored order beside the stored texts. */
QString unitSelect(platform::Database& database, const QString& unit, const SaleGridFilter& filter,
                   QVariantList& values)
{
    QStringList selected { u"CAST(? AS TEXT) AS unit_name"_s,
                           store::qualifiedStoredOrder(database, u"s"_s, store::transactionTableColumns())
                               + u" AS stored_order"_s };
    values << unit;
    for (qsizetype i = 0; i < lineColumns.size(); ++i)
        selected << u"s."_s + platform::quoteIdentifier(storedColumns.at(i)) + u" AS "_s + lineColumns.at(i);
    QString sql = u"SELECT "_s + selected.join(u", "_s) + u" FROM "_s + store::engineTable(database, unit) + u" AS s"_s;
    const QString where = filterClause(filter, values);
    if (!where.isEmpty())
        sql += u" WHERE "_s + where;
    return sql;
}

QString text(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

QString sortExpression(SaleGridColumn column)
{
    switch (column) {
    case SaleGridColumn::Date:
        return dateKey(u"sale_year"_s, u"sale_month"_s, u"sale_day"_s);
    case SaleGridColumn::Unit:
        return u"unit_name"_s;
    case SaleGridColumn::Quantity:
        return u"numvalue(quantity)"_s;
    case SaleGridColumn::Price:
        return u"numvalue(price)"_s;
    case SaleGridColumn::Amount:
        return u"numvalue(amount)"_s;
    case SaleGridColumn::Medicine:
        return u"COALESCE(medicine, '')"_s;
    case SaleGridColumn::Maker:
        return u"COALESCE(maker, '')"_s;
    case SaleGridColumn::Spec:
        return u"COALESCE(spec, '')"_s;
    case SaleGridColumn::SaleUnit:
        return u"COALESCE(sale_unit, '')"_s;
    case SaleGridColumn::Batch:
        return u"COALESCE(batch, '')"_s;
    case SaleGridColumn::Expiry:
        return u"COALESCE(expiry, '')"_s;
    }
    return {};
}

/** The lines of one or more paged reads, one after another, as the grid shows them. */
class LineRows final : public platform::TableRows
{
public:
    LineRows(std::vector<std::unique_ptr<store::PagedQuery>> reads, qint64 count)
        : m_reads(std::move(reads)), m_count(count)
    { }

    QStringList headings() const override { return saleGridHeadings(); }
    qint64 count() const override { return m_count; }

    std::optional<QList<QStringList>> next(int most) override
    {
        while (m_buffer.size() < most && m_current < m_reads.size()) {
            // Each read asks for twice as many rows as the one before: the first page comes at once, and a long
            // read in a sorted order, which the database sorts anew for every page, needs few pages.
            const int asked = qMax(most, m_nextRead);
            m_nextRead = qMin(asked * 2, largestRead);
            store::PagedQuery& read = *m_reads.at(m_current);
            const auto page = read.next(asked);
            if (!page)
                return std::nullopt;
            for (const QVariantList& line : *page) {
                m_buffer << QStringList { saleDateText(text(line.at(1)), text(line.at(2)), text(line.at(3))),
                                          text(line.at(0)),
                                          text(line.at(4)),
                                          text(line.at(5)),
                                          text(line.at(6)),
                                          text(line.at(7)),
                                          text(line.at(8)),
                                          text(line.at(9)),
                                          text(line.at(10)),
                                          text(line.at(11)),
                                          text(line.at(12)) };
            }
            if (read.atEnd())
                ++m_current;
        }
        const QList<QStringList> rows = m_buffer.mid(0, most);
        m_buffer.remove(0, rows.size());
        return rows;
    }

private:
    std::vector<std::unique_ptr<store::PagedQuery>> m_reads;
    static constexpr int largestRead = 65536;

    size_t m_current = 0;
    qint64 m_count;
    QList<QStringList> m_buffer;
    int m_nextRead = 0;
};

} // namespace

QStringList saleGridHeadings()
{
    return { u"日期"_s, u"单位"_s, u"药品名称"_s, u"生产厂家"_s, u"规格"_s,  u"单位(药品)"_s,
             u"数量"_s, u"单价"_s, u"金额"_s,     u"批号"_s,     u"有效期"_s };
}

SaleGrid::SaleGrid(platform::Database& database, const SaleGridFilter& filter) : m_database(database), m_filter(filter)
{
    store::ensureNumValueFunction(database);
    QStringList candidates
        = filter.unit.isEmpty() ? unitNames(database).value_or(QStringList()) : QStringList { filter.unit };
    QSet<QString> seen;
    for (const QString& unit : std::as_const(candidates)) {
        // One table however often the register names it; table names ignore Latin letter case.
        QString key = unit;
        for (QChar& c : key) {
            if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() - u'A' + u'a');
        }
        if (seen.contains(key))
            continue;
        seen.insert(key);
        if (store::isBareTableName(unit) && store::hasColumns(database, unit, store::transactionTableColumns()))
            m_units << unit;
        else
            m_skipped << unit;
    }
    // The year of a date range is found through the sale-date index, which older tables get here.
    if (filter.from && filter.to)
        store::ensureSaleDateIndexes(database, m_units);
}

std::optional<SaleGridSummary> SaleGrid::summary()
{
    if (m_units.isEmpty())
        return SaleGridSummary {};
    QStringList selects;
    QVariantList values;
    for (const QString& unit : std::as_const(m_units))
        selects << unitSelect(m_database, unit, m_filter, values);
    QSqlQuery query = m_database.prepare(u"SELECT count(*), "_s + store::numValueTotal(m_database, u"amount"_s)
                                         + u" FROM ("_s + store::unionAll(selects) + u") AS lines"_s);
    for (const QVariant& value : std::as_const(values))
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return SaleGridSummary { query.value(0).toLongLong(), query.value(1).toDouble() };
}

std::unique_ptr<platform::TableRows> SaleGrid::rows(int column, bool descending, qint64 count) const
{
    QStringList columns { u"unit_name"_s };
    columns += lineColumns;
    std::vector<std::unique_ptr<store::PagedQuery>> reads;
    const store::SortKey storedOrder { u"stored_order"_s, descending };
    const store::SortKey unitName { u"unit_name"_s, descending };
    if (column < 0 || m_units.size() == 1) {
        // A unit at a time: each read pages through one table, where the stored order is the table's own.
        for (const QString& unit : m_units) {
            QVariantList values;
            const QString select = unitSelect(m_database, unit, m_filter, values);
            QList<store::SortKey> order { storedOrder };
            if (column >= 0 && column != int(SaleGridColumn::Unit))
                order.prepend(store::SortKey { sortExpression(SaleGridColumn(column)), descending });
            reads.push_back(std::make_unique<store::PagedQuery>(m_database, select, values, columns, order));
        }
    } else if (!m_units.isEmpty()) {
        QStringList selects;
        QVariantList values;
        for (const QString& unit : m_units)
            selects << unitSelect(m_database, unit, m_filter, values);
        QList<store::SortKey> order { unitName, storedOrder };
        if (column != int(SaleGridColumn::Unit))
            order.prepend(store::SortKey { sortExpression(SaleGridColumn(column)), descending });
        reads.push_back(
            std::make_unique<store::PagedQuery>(m_database, store::unionAll(selects), values, columns, order));
    }
    return std::make_unique<LineRows>(std::move(reads), count);
}

} // namespace statistics
