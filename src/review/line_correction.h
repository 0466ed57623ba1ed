#pragma once

#include "transaction/working_set.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace review {

/** The number of texts a line shows in the review: every field but the purchase price. */
inline constexpr int shownFieldCount = 10;

/**
 * The texts a line shows, in the order of the review's lists `List1` … `List10`: name, maker, quantity, unit price,
 * amount, spec, unit, batch number, expiry, type.
 */
QStringList shownFields(const transaction::Line& line);

/** The lines the review lists, in line order: line 1 always, even without a name, then every later line in use. */
QList<int> listedLines(const transaction::WorkingSet& set);

/**
 * The line a listed row stands for: the last line in use whose shown fields are the row's texts (lines that show
 * the same texts are interchangeable). nullopt when no line in use shows them: the empty line 1, a row of a sale
 * changed since it was listed, or texts of the wrong count. An empty line is never a target, so a correction cannot
 * land on a line that no reader of the sale looks at.
 */
std::optional<int> lineShownAs(const transaction::WorkingSet& set, const QStringList& texts);

/**
 * Writes the texts into the line as they stand (a price is kept as typed) and recomputes the type counts, the slip
 * pages, the total and its capitals, as finishing a sale does. The purchase price, the serial number, the customer
 * unit and the stored flag stay. Does nothing for a line outside 1 to 1000 or texts of the wrong count.
 */
void correctLine(transaction::WorkingSet& set, int line, const QStringList& texts);

/** The row selected after a correction: the row below the corrected one, or the corrected row when it is the last. */
int rowAfterCorrection(int correctedRow, int rowCount);

} // namespace review
