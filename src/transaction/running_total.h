#pragma once

#include "transaction/page_storing.h"

namespace transaction {

/** The sale as it stands: the lines already stored in the working set and the named rows of the page. */
struct SaleSoFar
{
    int lines = 0;
    double total = 0.0; ///< the sum of the numbers at the start of those lines' amounts
};

SaleSoFar saleSoFar(const WorkingSet& set, const PageRows& page);

/** "本单 N 条, 合计 X 元", X in the format "0.00". */
QString saleSoFarText(const SaleSoFar& sale);

/**
 * What the main window says of a finished sale until the next one starts: its serial number and total, and for a
 * sale that was not stored, that it was not.
 */
QString finishedSaleText(const WorkingSet& set, bool stored);

} // namespace transaction
