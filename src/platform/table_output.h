#pragma once

#include "platform/table_print.h"

#include <QString>

namespace platform {

class TableRows;

/**
 * The export command of a window that shows a table: asks for the file in the save-file dialog (CSV in UTF-8 with a
 * byte-order mark, or GBK), writes the headings and rows to it (csv_export.h) and tells the user how it went. A
 * cancelled dialog does nothing. `name` is the file name the dialog suggests, without the extension.
 *
 *     platform::ListRows rows({ u"月份"_s, u"金额"_s }, { { u"1"_s, u"1200.00"_s }, ... });
 *     platform::exportTable(rows, u"销售图表"_s);
 */
void exportTable(TableRows& rows, const QString& name);

/** The print command of such a window: prints the rows under the heading (table_print.h) and says what went wrong. */
void printTable(TableRows& rows, const TableHeading& heading);

} // namespace platform
