#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace bench {

/**
 * A catalogue of medicineCount medicines named as a wholesaler's are: two to seven Chinese characters drawn from
 * those of medicine names, one name in twenty with Latin letters and digits in it, most names three times (branded
 * variants), five hundred makers, codes of six digits. Fills table 药品 in one transaction, without 助记码.
 */
bool fillNamedCatalogue(platform::Database& db);

/** The name of the i-th medicine of that catalogue. */
QString namedMedicine(int i);

} // namespace bench
