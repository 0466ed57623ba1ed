#pragma once

#include "transaction/working_set.h"

#include <array>

namespace transaction {

inline constexpr int rowsPerPage = 10;

/**
 * The texts of the entry window's ten rows, row r at index r − 1, in the fields of a line: purchasePrice is the
 * purchase price beside the row and unitPrice the price text as typed.
 */
using PageRows = std::array<Line, rowsPerPage>;

/** Whether stored lines carry the purchase price beside their row; the not-stored entry has none. */
enum class PurchasePrices { Kept, Dropped };

/** What a store took: a row that would go past line 1000 is refused, it and every row after it. */
struct StoreOutcome
{
    int stored = 0;
    int firstRefusedRow = 0; ///< the first refused row that holds a medicine; 0 when no such row was refused
};

/** Copies rows 1 to 10, filled or not, to lines NextLine onward; NextLine grows by each row stored. */
StoreOutcome StorePage(WorkingSet& set, const PageRows& rows, PurchasePrices prices);
/** Copies only the rows with a name, in row order, so the lines stay contiguous. */
StoreOutcome StoreFilledRows(WorkingSet& set, const PageRows& rows, PurchasePrices prices);

/** The message for rows a store refused, naming the first of them. */
QString refusedRowsMessage(int firstRefusedRow);

struct RunningTotals
{
    QString total; ///< the sum of every line's amount, as the running-total label shows it
    int lastLineInUse = 0; ///< 0 when no line is in use: the label then keeps what it showed
};

RunningTotals RefreshTotals(const WorkingSet& set);

} // namespace transaction
