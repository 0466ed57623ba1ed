#pragma once

namespace platform {
class Database;
}

namespace store {

/**
 * Makes the SQL function numvalue(text) available on the connection: NumValue of its argument, 0 for NULL, so that
 * sums over stored texts are worked out where the rows are. Registered once a connection on an SQLite file; on a
 * server it is a function of the database, made with its tables (or here, when missing). Later calls only check.
 * false when the connection cannot take it.
 */
bool ensureNumValueFunction(platform::Database& database);

} // namespace store
