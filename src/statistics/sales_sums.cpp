#include "statistics/sales_sums.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/sale_date_index.h"
#include "store/sql_functions.h"
#include "store/table_names.h"

#include <QSqlQuery>
#include <QVariant>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

/** 0.0 over no rows. The numvalue function must be registered. */
std::optional<double> sum(platform::Database& database, const QString& unit, const QString& where,
                          const QVariantList& values)
{
    if (!store::isBareTableName(unit))
        return std::nullopt;
    // Columns are named through the table: an unqualified name in double quotes that names no column would be
    // taken for a text, and a table without the columns would sum to 0 instead of failing.
    QString sql = u"SELECT "_s + store::numValueTotal(database, u"sale.\"金额\""_s) + u" FROM "_s
        + store::engineTable(database, unit) + u" AS sale"_s;
    if (!where.isEmpty())
        sql += u" WHERE "_s + where;
    QSqlQuery query = database.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value.toString().isNull() ? QVariant(u""_s) : value);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toDouble();
}

std::optional<double> registeredPeriodSum(platform::Database& database, const QString& unit, const SalePeriod& period)
{
    if (period.month.isEmpty())
        return sum(database, unit, u"sale.\"交易年\" = ?"_s, { period.year });
    return sum(database, unit, u"sale.\"交易年\" = ? AND sale.\"交易月\" = ?"_s, { period.year, period.month });
}

} // namespace

// Only the period's records are read when a table has its sale-date index; a table without it gets it before its
// first period sum.

std::optional<double> periodSum(platform::Database& database, const QString& unit, const SalePeriod& period)
{
    if (!store::ensureNumValueFunction(database))
        return std::nullopt;
    store::ensureSaleDateIndex(database, unit);
    return registeredPeriodSum(database, unit, period);
}

std::optional<double> allTimeSum(platform::Database& database, const QString& unit)
{
    if (!store::ensureNumValueFunction(database))
        return std::nullopt;
    return sum(database, unit, {}, {});
}

std::optional<OverallSum> overallSum(platform::Database& database, const QStringList& units, const SalePeriod& period)
{
    if (units.isEmpty() || !store::ensureNumValueFunction(database))
        return std::nullopt;
    store::ensureSaleDateIndexes(database, units);
    OverallSum overall;
    for (const QString& unit : units) {
        if (const auto unitTotal = registeredPeriodSum(database, unit, period))
            overall.total += *unitTotal;
        else
            overall.skipped << unit;
    }
    return overall;
}

QString skippedUnitsMessage(const QStringList& skipped)
{
    if (skipped.isEmpty())
        return {};
    // No unit name holds an ASCII comma or space, so the list reads back unambiguously.
    return u"以下单位的交易表无法读取,未计入统计: "_s + skipped.join(u", "_s);
}

} // namespace statistics
