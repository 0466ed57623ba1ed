#pragma once

#include "transaction/working_set.h"

namespace transaction {

/** The medicine types the slips print, each in a storage zone of its own. */
const QStringList& slipTypes();

/** Counts the lines whose type is exactly one of the slip types: TypedLineCount and SlipPageCount. */
void TallyTypes(WorkingSet& set);

/** TotalAmount from the number at the start of every line's amount, and TotalInWords: its capitals and "整". */
void TotalAndWords(WorkingSet& set);

} // namespace transaction
