#include "transaction/transaction_file.h"

#include "platform/database.h"
#include "store/table_names.h"
#include "transaction/derived_values.h"
#include "transaction/serial_number.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

/**
 * The path of the unit's file in the folder; empty when the name before ".dat" is not made of the characters a
 * unit's name may hold. Those can all be in a file name; slashes, control characters and the signs file systems
 * refuse cannot get in.
 */
QString pathFor(const QString& unit, const QString& folder)
{
    const QString name = TransactionFileName(unit);
    if (!store::isNameText(name.chopped(4)))
        return {};
    return QDir(folder).filePath(name);
}

SaveOutcome save(const QString& unit, const QList<Line>& lines, const QString& folder)
{
    const QString path = pathFor(unit, folder);
    if (path.isEmpty())
        return SaveOutcome::NotAFileName;
    // written aside and renamed over the old file, so a failed save never costs the last good one
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveOutcome::WriteFailed;
    // A write cut short by a full disk or a file-size limit returns a short count without an error.
    const QByteArray bytes = encodeTransactionFile({ unit, lines });
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return SaveOutcome::WriteFailed;
    }
    return file.commit() ? SaveOutcome::Saved : SaveOutcome::WriteFailed;
}

qint16 nextLineAfter(const WorkingSet& set)
{
    for (int i = lineCapacity; i >= 1; --i) {
        if (!set.TransactionLines[static_cast<size_t>(i)].name.isEmpty())
            return static_cast<qint16>(i + 1);
    }
    return 1;
}

void takeContent(WorkingSet& set, const TransactionFileContent& content)
{
    set.CustomerUnit = content.unit;
    for (int i = 1; i <= lineCapacity; ++i)
        set.TransactionLines[static_cast<size_t>(i)] = content.lines.value(i - 1);
    set.NextLine = nextLineAfter(set);
}

} // namespace

QString TransactionFileName(const QString& unit)
{
    return (unit.contains(u'*') ? unit.chopped(1) : unit) + u".dat"_s;
}

QString saveMessage(SaveOutcome outcome)
{
    switch (outcome) {
    case SaveOutcome::Saved:
        return {};
    case SaveOutcome::NoContent:
        return u"无保存内容,无法保存!"_s;
    case SaveOutcome::NotAFileName:
        return u"单位名称不能用作文件名,无法保存!"_s;
    case SaveOutcome::WriteFailed:
        return u"存盘文件写入失败,交易未能保存!"_s;
    }
    return {};
}

SaveOutcome SaveTransactionFile(const WorkingSet& set, const QString& folder)
{
    if (set.CustomerUnit.isEmpty())
        return SaveOutcome::NoContent;
    const QList<Line> lines(set.TransactionLines.begin() + 1, set.TransactionLines.end());
    return save(set.CustomerUnit, lines, folder);
}

QList<Line> slotsWithPage(const WorkingSet& set, const PageRows& rows)
{
    QList<Line> filledRows;
    for (const Line& row : rows) {
        if (row.name.isEmpty())
            break;
        filledRows << row;
    }
    QList<Line> lines;
    lines.reserve(lineCapacity);
    qsizetype nextRow = 0;
    for (int i = 1; i <= lineCapacity; ++i) {
        const Line& line = set.TransactionLines[static_cast<size_t>(i)];
        if (!line.name.isEmpty())
            lines << line;
        else if (nextRow < filledRows.size())
            lines << filledRows.at(nextRow++);
        else
            lines << Line {};
    }
    return lines;
}

SaveOutcome SaveTransactionFile(const WorkingSet& set, const QString& unit, const PageRows& rows, const QString& folder)
{
    return save(unit, slotsWithPage(set, rows), folder);
}

std::optional<TransactionFileContent> readTransactionFile(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > largestTransactionFile)
        return std::nullopt;
    return decodeTransactionFile(file.read(largestTransactionFile + 1));
}

bool ReadTransactionFile(WorkingSet& set, const QString& unit, const QString& folder)
{
    const std::optional<TransactionFileContent> content = readTransactionFile(pathFor(unit, folder));
    if (!content) {
        set.ClearLines();
        return false;
    }
    takeContent(set, *content);
    return true;
}

bool ReadTransactionFile(platform::Database& database, WorkingSet& set, const QString& path)
{
    const std::optional<TransactionFileContent> content = readTransactionFile(path);
    if (content) {
        auto read = std::make_unique<WorkingSet>(set);
        takeContent(*read, *content);
        TallyTypes(*read);
        TotalAndWords(*read);
        if (takeSerialNumber(database, read->SerialText) == SerialOutcome::Taken) {
            set = *read;
            return true;
        }
    }
    set.ClearLines();
    return false;
}

} // namespace transaction
