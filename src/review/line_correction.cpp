#include "review/line_correction.h"

#include "transaction/derived_values.h"

namespace review {

namespace {

const transaction::Line& lineAt(const transaction::WorkingSet& set, int line)
{
    return set.TransactionLines[static_cast<size_t>(line)];
}

} // namespace

QStringList shownFields(const transaction::Line& line)
{
    return { line.name, line.maker, line.quantity, line.unitPrice, line.amount,
             line.spec, line.unit,  line.batchNo,  line.expiry,    line.drugType };
}

QList<int> listedLines(const transaction::WorkingSet& set)
{
    QList<int> lines { 1 };
    for (int line = 2; line <= transaction::lineCapacity; ++line) {
        if (!lineAt(set, line).name.isEmpty())
            lines << line;
    }
    return lines;
}

std::optional<int> lineShownAs(const transaction::WorkingSet& set, const QStringList& texts)
{
    if (texts.size() != shownFieldCount)
        return std::nullopt;
    for (int line = transaction::lineCapacity; line >= 1; --line) {
        const transaction::Line& candidate = lineAt(set, line);
        if (!candidate.name.isEmpty() && shownFields(candidate) == texts)
            return line;
    }
    return std::nullopt;
}

void correctLine(transaction::WorkingSet& set, int line, const QStringList& texts)
{
    if (line < 1 || line > transaction::lineCapacity || texts.size() != shownFieldCount)
        return;
    transaction::Line& target = set.TransactionLines[static_cast<size_t>(line)];
    target.name = texts.at(0);
    target.maker = texts.at(1);
    target.quantity = texts.at(2);
    target.unitPrice = texts.at(3);
    target.amount = texts.at(4);
    target.spec = texts.at(5);
    target.unit = texts.at(6);
    target.batchNo = texts.at(7);
    target.expiry = texts.at(8);
    target.drugType = texts.at(9);
    transaction::TallyTypes(set);
    transaction::TotalAndWords(set);
}

int rowAfterCorrection(int correctedRow, int rowCount)
{
    if (correctedRow + 1 < rowCount)
        return correctedRow + 1;
    return qMin(correctedRow, rowCount - 1);
}

} // namespace review
