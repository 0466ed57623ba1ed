#include "platform/csv_export.h"

#include "platform/progress_bar.h"
#include "platform/table_rows.h"

#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

// Rows read and written at a time; the progress is reported between parts.
constexpr int rowsPerPart = 2000;

bool writeAll(QSaveFile& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size();
}

} // namespace

ExportOutcome writeCsvFile(const QString& path, TableRows& rows, CsvEncoding encoding)
{
    ExportOutcome outcome;
    const auto fail = [&outcome](const QString& why) {
        outcome.result = ExportOutcome::Result::Failed;
        outcome.failure = why;
        return outcome;
    };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    CsvWriter writer(encoding);
    if (!writeAll(file, writer.start() + writer.record(rows.headings())))
        return fail(file.errorString());

    ProgressRun progress(u"正在导出……"_s, rows.count());
    for (;;) {
        const auto part = rows.next(rowsPerPart);
        if (!part)
            return fail(u"无法读取数据"_s);
        if (part->isEmpty())
            break;
        QByteArray bytes;
        for (const QStringList& row : *part)
            bytes += writer.record(row);
        if (!writeAll(file, bytes))
            return fail(file.errorString());
        outcome.rows += part->size();
        if (!progress.advance(outcome.rows)) {
            // QSaveFile removes its temporary file; the target was never touched.
            file.cancelWriting();
            outcome.result = ExportOutcome::Result::Cancelled;
            return outcome;
        }
    }
    if (!file.commit())
        return fail(file.errorString());
    outcome.result = ExportOutcome::Result::Written;
    return outcome;
}

} // namespace platform
