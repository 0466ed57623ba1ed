#pragma once

#include "transaction/decimal_number.h"
#include "transaction/working_set.h"

#include <QList>
#include <QStringList>

namespace review {

/**
 * What the sale in progress earns, over the lines in use of every type: the sum of the amounts and the sum of each
 * amount less the purchase price times the quantity. Texts are read as the numbers at their start, at the fifteen
 * significant digits a shown number has (an empty purchase price costs 0), and worked out in exact decimal, so a line
 * sold at cost earns exactly 0; nothing is rounded. The total is recomputed here, not taken from TotalAmount.
 */
struct ProfitSummary
{
    transaction::DecimalNumber total;
    transaction::DecimalNumber profit;
};

ProfitSummary summarizeProfit(const transaction::WorkingSet& set);

/** The purchase price times the quantity. */
transaction::DecimalNumber lineCost(const transaction::Line& line);
/** The amount less the line's cost; negative for a line sold below its purchase price. */
transaction::DecimalNumber lineProfit(const transaction::Line& line);

/**
 * One row a line in use, in line order, with ten texts in the order of the detail lists `List1` … `List10`: name,
 * maker, quantity, unit price, amount, spec, unit and purchase price as the line holds them, then the cost and the
 * profit as numbers shown without a format.
 */
QList<QStringList> profitDetailRows(const transaction::WorkingSet& set);

/**
 * The total cost shown below the detail: the shown total less the shown profit, in exact decimal, as a number without
 * a format.
 */
QString totalCostText(const QString& totalText, const QString& profitText);

} // namespace review
