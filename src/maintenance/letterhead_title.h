#pragma once

#include <QString>

namespace store {
class BoundRecordset;
}

namespace maintenance {

/**
 * Stores a new letterhead title (the empty text too) in field 抬头 of the first record of the source's table 抬头;
 * a table without records gets one. false when the database refused, with nothing changed.
 */
bool storeLetterheadTitle(store::BoundRecordset& titles, const QString& title);

} // namespace maintenance
