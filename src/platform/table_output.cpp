#include "platform/table_output.h"

#include "platform/csv_export.h"
#include "platform/dialogs.h"
#include "platform/page_sink.h"
#include "platform/table_rows.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace platform {

void exportTable(TableRows& rows, const QString& name)
{
    // The order of the filters is the order of CsvEncoding.
    const SaveFileChoice choice = dialogs().saveFile({ u"导出"_s,
                                                       { u"CSV 文件 (UTF-8) (*.csv)"_s, u"CSV 文件 (GBK) (*.csv)"_s },
                                                       QDir::home().filePath(name + u".csv"_s),
                                                       u"csv"_s });
    if (choice.path.isEmpty())
        return;
    const CsvEncoding encoding = choice.filter == 1 ? CsvEncoding::Gbk : CsvEncoding::Utf8WithBom;
    const ExportOutcome outcome = writeCsvFile(choice.path, rows, encoding);
    switch (outcome.result) {
    case ExportOutcome::Result::Written:
        inform(u"已导出 %1 行到文件：\n%2"_s.arg(outcome.rows).arg(QDir::toNativeSeparators(choice.path)));
        break;
    case ExportOutcome::Result::Cancelled:
        inform(u"导出已取消，没有写入文件。"_s);
        break;
    case ExportOutcome::Result::Failed:
        inform(u"导出失败，文件没有写成：\n%1"_s.arg(outcome.failure), u"警告!"_s, Icon::Warning);
        break;
    }
}

void printTable(TableRows& rows, const TableHeading& heading)
{
    const TablePrintOutcome outcome = printTableRows(rows, heading, pageSink());
    QStringList lines;
    if (outcome.cancelled)
        lines << u"打印已取消。"_s;
    if (!outcome.failure.isEmpty())
        lines << u"打印失败：%1"_s.arg(outcome.failure);
    if (!outcome.notice.isEmpty())
        lines << outcome.notice;
    if (!outcome.writtenFile.isEmpty())
        lines << u"已保存到文件：\n%1"_s.arg(QDir::toNativeSeparators(outcome.writtenFile));
    if (!lines.isEmpty())
        inform(lines.join(u'\n'));
}

} // namespace platform
