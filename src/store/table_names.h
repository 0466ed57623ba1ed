#pragma once

#include <QString>

namespace store {

/**
 * true for a name that the database takes as a bare table name: letters (Chinese included), digits and underscores,
 * not only digits, not a keyword of the SQL dialect and not a name reserved for the engine itself. Unit and clerk
 * names become table names, so any other name is refused before a statement is built from it.
 */
bool isBareTableName(const QString& name);

} // namespace store
