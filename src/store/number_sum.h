#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace store {

/**
 * The SQL of the sum of NumValue over a text column (`expression` names it, qualified by its table): a number,
 * 0.0 over no rows, added in the order the rows are visited, on either engine (numValueTotal()). Needs
 * ensureNumValueFunction() on the connection.
 */
QString numberSum(const platform::Database& database, const QString& expression);

} // namespace store
