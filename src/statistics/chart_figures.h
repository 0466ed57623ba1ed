#pragma once

#include "statistics/sales_sums.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace platform {
class Database;
}

namespace statistics {

/**
 * The twelve monthly totals of a year over all units: month m holds the sales whose 交易月 reads NumText(m) (" 5"),
 * each the same figure as the monthly total of that month. Sales with another month text count for the year only.
 */
struct MonthlyTotals
{
    std::array<double, 12> months {};
    QStringList skipped; ///< the units whose transaction tables could not be read, in the order given
};

/**
 * The monthly totals of the year (a NumText year, " 2003") over the units, worked out by the database; nullopt when
 * there is no unit or the sums cannot be worked out at all.
 */
std::optional<MonthlyTotals> monthlyTotals(platform::Database& database, const QStringList& units, const QString& year);

/** A unit or a medicine with its sales in a period. */
struct RankedAmount
{
    QString name;
    double amount = 0.0;

    bool operator==(const RankedAmount&) const = default;
};

/**
 * The ranks of a period: the names with the largest amounts first, at most `count` of them, leaving out those whose
 * amount comes to 0.00. Amounts that come to the same fen are ranked by name, in the order of their characters'
 * codes, so a ranking never depends on how the sums were rounded.
 */
struct Ranking
{
    QList<RankedAmount> ranks;
    double total = 0.0; ///< the period's total over the units that could be read, the same as its overall total
    QStringList skipped; ///< the units whose transaction tables could not be read, in the order given
};

/**
 * The units with the largest sales in the period: each unit's amount is its period sum, and the total is what the
 * monthly or yearly total of the period shows. nullopt as monthlyTotals().
 */
std::optional<Ranking> unitRanking(platform::Database& database, const QStringList& units, const SalePeriod& period,
                                   int count);

/**
 * The medicines (by the name stored with each sale) with the largest sales in the period over all the units. The
 * units' tables are read as unitRanking() reads them; the total adds every medicine's amount. nullopt as
 * monthlyTotals().
 */
std::optional<Ranking> medicineRanking(platform::Database& database, const QStringList& units, const SalePeriod& period,
                                       int count);

/** The year before a NumText year: " 2002" for " 2003". */
QString previousYear(const QString& year);

} // namespace statistics
