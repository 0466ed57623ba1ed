#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Database;
}

namespace store {

/**
 * The expression that gives the records of a table in the order they were stored, unique within the table, for a
 * table with `columns` reached through `alias`. Reads that page through a table order by it last, so that equal
 * sort keys still give every record exactly once.
 */
QString qualifiedStoredOrder(const platform::Database& database, const QString& alias, const QStringList& columns);

/**
 * A condition that holds when the text of `expression` contains the text bound to its one placeholder, with Latin
 * letters compared without their case as the database compares names; bind containsPattern() of the part.
 */
QString containsCondition(const QString& expression);
/** The value to bind to containsCondition() for a part of a text: its wildcard characters taken literally. */
QString containsPattern(const QString& part);

/**
 * The tables whose columns are exactly these (in any order, names compared without Latin letter case), sorted by
 * the names the program gave them; empty when the schema cannot be read.
 */
QStringList tablesWithColumns(platform::Database& database, const QStringList& columns);

} // namespace store
