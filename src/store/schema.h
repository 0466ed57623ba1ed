#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace store {

/** What the delivered database holds before anyone has used it; the README documents these. */
namespace delivered {
inline constexpr char16_t letterhead[] = u"华康医药有限公司";
inline constexpr char16_t firstSerial[] = u"1";
inline constexpr char16_t superUserPassword[] = u"888888";
inline constexpr char16_t administratorPassword[] = u"123456";
} // namespace delivered

/** A table and its columns, all of them text. */
struct TableColumns
{
    QString name;
    QStringList columns;
};

/** The six tables every database of this system holds, with their columns (the log tables not included). */
QList<TableColumns> fixedTableColumns();

/**
 * Writes the delivered database to a file that does not exist yet: the six fixed tables, the log tables of the super
 * user and the administrator, and their first records. The file appears complete or not at all.
 */
bool createDeliveredDatabase(const QString& path, QString* error = nullptr);

/** Creates the delivered database when the file is missing; an existing file is left as it is. */
bool ensureDatabase(const QString& path, QString* error = nullptr);

} // namespace store
