#include "review/profit.h"

#include "store/numbers.h"
#include "transaction/amounts.h"

namespace review {

namespace {

template<typename Visit> void forEachLineInUse(const transaction::WorkingSet& set, Visit visit)
{
    for (int i = 1; i <= transaction::lineCapacity; ++i) {
        const transaction::Line& line = set.TransactionLines[static_cast<size_t>(i)];
        if (!line.name.isEmpty())
            visit(line);
    }
}

/** A number without a format; a zero product of a negative factor shows as 0, not -0. */
QString shown(double value)
{
    return transaction::numberText(value + 0.0);
}

} // namespace

double lineCost(const transaction::Line& line)
{
    return store::NumValue(line.purchasePrice) * store::NumValue(line.quantity);
}

double lineProfit(const transaction::Line& line)
{
    return store::NumValue(line.amount) - lineCost(line);
}

ProfitSummary summarizeProfit(const transaction::WorkingSet& set)
{
    ProfitSummary summary;
    forEachLineInUse(set, [&summary](const transaction::Line& line) {
        summary.total += store::NumValue(line.amount);
        summary.profit += lineProfit(line);
    });
    return summary;
}

QList<QStringList> profitDetailRows(const transaction::WorkingSet& set)
{
    QList<QStringList> rows;
    forEachLineInUse(set, [&rows](const transaction::Line& line) {
        rows.append({ line.name, line.maker, line.quantity, line.unitPrice, line.amount, line.spec, line.unit,
                      line.purchasePrice, shown(lineCost(line)), shown(lineProfit(line)) });
    });
    return rows;
}

QString totalCostText(const QString& totalText, const QString& profitText)
{
    return shown(store::NumValue(totalText) - store::NumValue(profitText));
}

} // namespace review
