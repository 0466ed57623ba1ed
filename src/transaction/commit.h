#pragma once

#include "transaction/page_storing.h"

#include <QDate>
#include <QString>

namespace platform {
class Database;
}

namespace transaction {

/** What a finish takes from the entry window. */
struct FinishRequest
{
    PageRows rows;
    QString unit; ///< the unit shown in the unit box
    PurchasePrices purchasePrices = PurchasePrices::Kept;
    bool appendsLines = true; ///< the stored entry writes every line into the unit's transaction table
    bool storedFlag = true;
    QDate saleDate;
};

struct FinishResult
{
    enum class Problem {
        None,
        NoUnit,
        UnitTableMissing,
        SerialMissing,
        WriteFailed,
    };

    Problem problem = Problem::None;
    int firstRefusedRow = 0; ///< the first filled row that found no line left; 0 when all were stored

    bool succeeded() const { return problem == Problem::None; }
};

/**
 * Finishes a sale: stores the filled rows, computes the counts, the total and its words, takes the serial number,
 * sets the customer unit and the slip variant and, for the stored entry, appends one record per line in use to the
 * unit's transaction table with the sale date.
 *
 * All or nothing: the serial and the line records are one database transaction, and the working set changes only
 * when that transaction committed. After a problem the database, the serial and the working set are as they were,
 * so the clerk can put it right and finish again.
 */
FinishResult finishSale(platform::Database& database, WorkingSet& set, const FinishRequest& request);

/** The message a problem is reported with; the empty text for none. */
QString finishProblemMessage(FinishResult::Problem problem);

/** The record a line gives in a unit's transaction table, in store::transactionTableColumns() order. */
QStringList transactionRecord(const Line& line, const QDate& saleDate);

} // namespace transaction
