#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {
class Database;
}

namespace statistics {

/** The names of the register's units in stored order; nullopt when table 单位 cannot be read. */
std::optional<QStringList> unitNames(platform::Database& database);

/** The number of records of a table; 0 for an empty table or one that cannot be read. */
int recordCount(platform::Database& database, const QString& table);

/** What a count window shows: NumText of the count (" 37"), or nothing for an empty table. */
QString countText(int count);

} // namespace statistics
