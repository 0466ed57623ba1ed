#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {
class Database;
}

namespace statistics {

/**
 * The sales a total covers, by the texts stored in 交易年 and 交易月 (NumText form, " 2003" and " 5"). An empty month
 * means the whole year. The texts are compared exactly: a record whose year reads "2003" is not one of " 2003". The
 * choosers hand over digits and spaces only, which the database's letter-case folding would not change either.
 */
struct SalePeriod
{
    QString year;
    QString month;
};

/**
 * The sum of NumValue(金额) over a unit's sales in the period, worked out by the database; a 金额 that is no number
 * counts 0. nullopt when the unit's transaction table cannot be read (missing, or a name that is no table name).
 */
std::optional<double> periodSum(platform::Database& database, const QString& unit, const SalePeriod& period);

/** The same over every sale of the unit, whatever its date. */
std::optional<double> allTimeSum(platform::Database& database, const QString& unit);

/** A total over several units, with the units it had to leave out. */
struct OverallSum
{
    double total = 0.0;
    QStringList skipped; ///< the units whose transaction tables could not be read, in the order given
};

/**
 * The period sums of the units whose tables can be read, added in the given order; the others are named in skipped,
 * so that a total which leaves units out can say so. nullopt when there is no unit, or the sums cannot be worked out
 * at all.
 */
std::optional<OverallSum> overallSum(platform::Database& database, const QStringList& units, const SalePeriod& period);

/** The message that names the units an overall total left out; the empty text when it left none out. */
QString skippedUnitsMessage(const QStringList& skipped);

} // namespace statistics
