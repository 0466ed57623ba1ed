#pragma once

#include "platform/csv_format.h"

#include <QString>

namespace platform {

class TableRows;

/** How writing an export ended. */
struct ExportOutcome
{
    enum class Result { Written, Cancelled, Failed };
    Result result = Result::Failed;
    qint64 rows = 0; ///< the rows written (the heading line not counted)
    QString failure; ///< why it failed, for the message
};

/**
 * Writes the headings and every row to a CSV file, through a temporary file in the same folder that replaces the
 * file only once all of it is written: a failed or cancelled export leaves no new file and an existing one as it was.
 * The rows are read a part at a time and the progress is reported to progressBar(), where the user can cancel.
 */
ExportOutcome writeCsvFile(const QString& path, TableRows& rows, CsvEncoding encoding);

} // namespace platform
