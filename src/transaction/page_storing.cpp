#include "transaction/page_storing.h"

#include "store/numbers.h"
#include "transaction/amounts.h"

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

Line storedLine(const Line& row, PurchasePrices prices)
{
    Line line = row;
    line.unitPrice = storedUnitPrice(row.unitPrice);
    if (prices == PurchasePrices::Dropped)
        line.purchasePrice.clear();
    return line;
}

/**
 * Stores the rows the predicate takes; the first one that finds no line left refuses itself and all after it. Only a
 * refused row that holds a medicine is reported: an empty row loses nothing.
 */
template<typename Take> StoreOutcome store(WorkingSet& set, const PageRows& rows, PurchasePrices prices, Take take)
{
    StoreOutcome outcome;
    for (int r = 1; r <= rowsPerPage; ++r) {
        const Line& row = rows[static_cast<size_t>(r - 1)];
        if (!take(row))
            continue;
        if (set.NextLine < 1 || set.NextLine > lineCapacity) {
            for (int refused = r; refused <= rowsPerPage && outcome.firstRefusedRow == 0; ++refused) {
                if (!rows[static_cast<size_t>(refused - 1)].name.isEmpty())
                    outcome.firstRefusedRow = refused;
            }
            break;
        }
        set.TransactionLines[static_cast<size_t>(set.NextLine)] = storedLine(row, prices);
        ++set.NextLine;
        ++outcome.stored;
    }
    return outcome;
}

} // namespace

StoreOutcome StorePage(WorkingSet& set, const PageRows& rows, PurchasePrices prices)
{
    return store(set, rows, prices, [](const Line&) { return true; });
}

StoreOutcome StoreFilledRows(WorkingSet& set, const PageRows& rows, PurchasePrices prices)
{
    return store(set, rows, prices, [](const Line& row) { return !row.name.isEmpty(); });
}

QString refusedRowsMessage(int firstRefusedRow)
{
    return u"交易已满%1行，本页第%2行起的药品未存入本次交易!"_s.arg(lineCapacity).arg(firstRefusedRow);
}

RunningTotals RefreshTotals(const WorkingSet& set)
{
    RunningTotals totals;
    // The label is read back at every step, so the total carries no noise beyond what the label shows.
    QString shown = u"0"_s;
    for (int i = 1; i <= lineCapacity; ++i) {
        const Line& line = set.TransactionLines[static_cast<size_t>(i)];
        if (!line.name.isEmpty())
            totals.lastLineInUse = i;
        shown = numberText(store::NumValue(shown) + store::NumValue(line.amount));
    }
    totals.total = shown;
    return totals;
}

} // namespace transaction
