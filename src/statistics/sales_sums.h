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

/**
 * The units' period sums added in the given order. nullopt when there is no unit or any unit's table cannot be read:
 * an overall total that leaves a unit out would be wrong without showing it.
 */
std::optional<double> overallSum(platform::Database& database, const QStringList& units, const SalePeriod& period);

} // namespace statistics
