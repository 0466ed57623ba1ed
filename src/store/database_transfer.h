#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace platform {
class Database;
}

namespace store {

/** One table as copied: its records on each side and, for a table with amounts, their numvalue() sums. */
struct CopiedTable
{
    QString table;
    qint64 sourceRows = 0;
    qint64 targetRows = 0;
    std::optional<double> sourceAmounts; ///< set for a table with a column 金额
    std::optional<double> targetAmounts;

    bool matches() const { return sourceRows == targetRows && sourceAmounts == targetAmounts; }
};

struct TransferResult
{
    bool copied = false;
    QString error; ///< why nothing was copied; empty when copied
    QList<CopiedTable> tables;
};

enum class TargetTables {
    MustBeEmpty, ///< a target holding any table is refused
    Replace, ///< every table of the target is dropped first, in the same transaction
};

/**
 * Copies every table of one database into another, either engine to either engine: the same names, the same
 * columns, the same texts in the same stored order, then the lookup and sale-date indexes (and on a server the
 * functions the program uses). The source is read as one consistent moment; the target is written in one
 * transaction that is committed only after each table's record count and, for tables with amounts, the sum of their
 * amounts have been checked equal on both sides, so the target is either a whole copy or left as it was.
 */
TransferResult copyDatabase(platform::Database& from, platform::Database& to, TargetTables target);

} // namespace store
