#include "statistics/chart_figures.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/number_sum.h"
#include "store/numbers.h"
#include "store/sale_date_index.h"
#include "store/sql_functions.h"
#include "store/table_names.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

// Far below the engines' limits on the parts of one statement, and few enough that each query stays short.
constexpr int unitsPerQuery = 100;

const QString yearColumn = u"sale.\"交易年\""_s;
const QString monthColumn = u"sale.\"交易月\""_s;
const QString medicineColumn = u"sale.\"交易药品名\""_s;
const QString amountColumn = u"sale.\"金额\""_s;

bool prepared(platform::Database& database, const QStringList& units)
{
    if (units.isEmpty() || !store::ensureNumValueFunction(database))
        return false;
    store::ensureSaleDateIndexes(database, units);
    return true;
}

QString periodCondition(const SalePeriod& period)
{
    return period.month.isEmpty() ? yearColumn + u" = ?"_s : yearColumn + u" = ? AND "_s + monthColumn + u" = ?"_s;
}

void bindPeriod(QSqlQuery& query, const SalePeriod& period)
{
    query.addBindValue(period.year.isNull() ? u""_s : period.year);
    if (!period.month.isEmpty())
        query.addBindValue(period.month);
}

/**
 * Adds a unit's month sums of the year into `months`. The sale-date index hands each month's records over in the
 * order the month's own sum reads them, so each month sum is that sum to the last bit.
 */
bool addMonths(platform::Database& database, const QString& unit, const QString& year, std::array<double, 12>& months)
{
    if (!store::isBareTableName(unit))
        return false;
    QSqlQuery query = database.prepare(u"SELECT "_s + monthColumn + u", "_s + store::numberSum(database, amountColumn)
                                       + u" FROM "_s + store::engineTable(database, unit) + u" AS sale WHERE "_s
                                       + yearColumn + u" = ? GROUP BY "_s + monthColumn);
    query.addBindValue(year.isNull() ? u""_s : year);
    if (!query.exec())
        return false;
    std::array<double, 12> unitMonths {};
    while (query.next()) {
        const QString month = query.value(0).toString();
        for (int m = 1; m <= 12; ++m) {
            if (month == store::NumText(m))
                unitMonths[m - 1] = query.value(1).toDouble();
        }
    }
    if (query.lastError().isValid())
        return false;
    for (int m = 0; m < 12; ++m)
        months[m] += unitMonths[m];
    return true;
}

/** The amount in whole fen, which ranks amounts that show the same alike. */
qint64 fen(double amount)
{
    return std::llround(amount * 100.0);
}

QList<RankedAmount> ranked(QList<RankedAmount> amounts, int count)
{
    amounts.removeIf([](const RankedAmount& a) { return fen(a.amount) == 0; });
    std::sort(amounts.begin(), amounts.end(), [](const RankedAmount& a, const RankedAmount& b) {
        const qint64 fenA = fen(a.amount);
        const qint64 fenB = fen(b.amount);
        if (fenA != fenB)
            return fenA > fenB;
        return a.name < b.name;
    });
    if (amounts.size() > count)
        amounts.resize(count);
    return amounts;
}

/**
 * The medicines' sums over some units: each unit's medicines summed where its rows are, then the units' sums of a
 * medicine added, all in one statement. false when any of the tables cannot be read.
 */
bool addMedicines(platform::Database& database, const QStringList& units, const SalePeriod& period,
                  QHash<QString, double>& medicines)
{
    QStringList parts;
    for (const QString& unit : units) {
        parts << u"SELECT "_s + medicineColumn + u" AS medicine, "_s + store::numberSum(database, amountColumn)
                + u" AS amount FROM "_s + store::engineTable(database, unit) + u" AS sale WHERE "_s
                + periodCondition(period) + u" GROUP BY "_s + medicineColumn;
    }
    QSqlQuery query = database.prepare(u"SELECT parts.medicine, SUM(parts.amount) FROM ("_s
                                       + parts.join(u" UNION ALL "_s) + u") AS parts GROUP BY parts.medicine"_s);
    for (int i = 0; i < units.size(); ++i)
        bindPeriod(query, period);
    if (!query.exec())
        return false;
    while (query.next())
        medicines[query.value(0).toString()] += query.value(1).toDouble();
    return !query.lastError().isValid();
}

} // namespace

std::optional<MonthlyTotals> monthlyTotals(platform::Database& database, const QStringList& units, const QString& year)
{
    if (!prepared(database, units))
        return std::nullopt;
    MonthlyTotals totals;
    for (const QString& unit : units) {
        if (!addMonths(database, unit, year, totals.months))
            totals.skipped << unit;
    }
    return totals;
}

std::optional<Ranking> unitRanking(platform::Database& database, const QStringList& units, const SalePeriod& period,
                                   int count)
{
    if (!prepared(database, units))
        return std::nullopt;
    Ranking ranking;
    QList<RankedAmount> amounts;
    for (const QString& unit : units) {
        // The period sum itself, so a unit's bar shows what the statistics show for it.
        if (const auto sum = periodSum(database, unit, period)) {
            amounts.append({ unit, *sum });
            ranking.total += *sum;
        } else {
            ranking.skipped << unit;
        }
    }
    ranking.ranks = ranked(amounts, count);
    return ranking;
}

std::optional<Ranking> medicineRanking(platform::Database& database, const QStringList& units, const SalePeriod& period,
                                       int count)
{
    if (!prepared(database, units))
        return std::nullopt;
    Ranking ranking;
    // A table that cannot be read would fail the whole statement it is part of; it is found out on its own first.
    QStringList readable;
    for (const QString& unit : units) {
        if (store::isBareTableName(unit) && periodSum(database, unit, { u"-"_s, u"-"_s }))
            readable << unit;
        else
            ranking.skipped << unit;
    }
    QHash<QString, double> medicines;
    for (qsizetype first = 0; first < readable.size(); first += unitsPerQuery) {
        if (!addMedicines(database, readable.mid(first, unitsPerQuery), period, medicines))
            return std::nullopt;
    }
    QList<RankedAmount> amounts;
    for (auto it = medicines.cbegin(); it != medicines.cend(); ++it) {
        amounts.append({ it.key(), it.value() });
    }
    // Added in name order, so the total does not depend on how the hash keeps its names.
    std::sort(amounts.begin(), amounts.end(),
              [](const RankedAmount& a, const RankedAmount& b) { return a.name < b.name; });
    for (const RankedAmount& amount : amounts)
        ranking.total += amount.amount;
    ranking.ranks = ranked(amounts, count);
    return ranking;
}

QString previousYear(const QString& year)
{
    return store::NumText(int(store::NumValue(year)) - 1);
}

} // namespace statistics
