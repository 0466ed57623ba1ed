#pragma once

#include <QString>
#include <optional>

namespace platform {
class Database;
}

namespace store {

/**
 * The table of the program's settings that every desk on the database shares: one record a setting, its name and
 * its value as text. A database made before the table existed has none; it is created by the first setting stored,
 * and until then every setting reads its default. The space in the name keeps it out of the names units and clerks
 * can take.
 */
QString optionsTableName();

/** The months before its expiry date from which a batch is warned about when it is sold. */
inline constexpr int defaultExpiryWarningMonths = 6;
inline constexpr int maxExpiryWarningMonths = 120;

/**
 * The stored warning period: the default when nothing is stored, and when what is stored is no whole number from 0 to
 * maxExpiryWarningMonths (a value someone wrote by hand is not trusted). nullopt when the database cannot be read.
 */
std::optional<int> expiryWarningMonths(platform::Database& database);

/**
 * Stores the warning period, creating the settings table when the database has none, all in one transaction. false,
 * with nothing changed, for a value outside 0 to maxExpiryWarningMonths or when the database refused.
 */
bool storeExpiryWarningMonths(platform::Database& database, int months);

} // namespace store
