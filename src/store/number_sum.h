#pragma once

#include <QString>

namespace store {

/**
 * The SQL of the sum of NumValue over a text column (`expression` names it, qualified by its table): a number,
 * 0.0 over no rows, added in the order the rows are visited. Needs ensureNumValueFunction() on the connection.
 */
QString numberSum(const QString& expression);

} // namespace store
