#include "review/profit.h"

#include "store/numbers.h"

namespace review {

using transaction::DecimalNumber;

namespace {

template<typename Visit> void forEachLineInUse(const transaction::WorkingSet& set, Visit visit)
{
    for (int i = 1; i <= transaction::lineCapacity; ++i) {
        const transaction::Line& line = set.TransactionLines[static_cast<size_t>(i)];
        if (!line.name.isEmpty())
            visit(line);
    }
}

DecimalNumber valueOf(const QString& text)
{
    return DecimalNumber::fromDouble(store::NumValue(text));
}

} // namespace

DecimalNumber lineCost(const transaction::Line& line)
{
    return valueOf(line.purchasePrice).times(valueOf(line.quantity));
}

DecimalNumber lineProfit(const transaction::Line& line)
{
    return valueOf(line.amount).minus(lineCost(line));
}

ProfitSummary summarizeProfit(const transaction::WorkingSet& set)
{
    ProfitSummary summary;
    forEachLineInUse(set, [&summary](const transaction::Line& line) {
        summary.total = summary.total.plus(valueOf(line.amount));
        summary.profit = summary.profit.plus(lineProfit(line));
    });
    return summary;
}

QList<QStringList> profitDetailRows(const transaction::WorkingSet& set)
{
    QList<QStringList> rows;
    forEachLineInUse(set, [&rows](const transaction::Line& line) {
        rows.append({ line.name, line.maker, line.quantity, line.unitPrice, line.amount, line.spec, line.unit,
                      line.purchasePrice, lineCost(line).shownText(), lineProfit(line).shownText() });
    });
    return rows;
}

QString totalCostText(const QString& totalText, const QString& profitText)
{
    return valueOf(totalText).minus(valueOf(profitText)).shownText();
}

} // namespace review
