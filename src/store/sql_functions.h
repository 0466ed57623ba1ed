#pragma once

namespace platform {
class Database;
}

namespace store {

/**
 * Makes the SQL function numvalue(text) available on the connection: NumValue of its argument, 0 for NULL, so that
 * sums over stored texts are worked out where the rows are. Registered once a connection; later calls only check.
 * false when the connection cannot take it.
 */
bool ensureNumValueFunction(platform::Database& database);

} // namespace store
