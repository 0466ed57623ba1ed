#include "review_fixture.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

namespace reviewtests {

transaction::Line saleLine(const QString& name, const QString& quantity, const QString& unitPrice,
                           const QString& amount, const QString& purchasePrice, const QString& type)
{
    transaction::Line line;
    line.purchasePrice = purchasePrice;
    line.name = name;
    line.maker = u"华北制药"_s;
    line.quantity = quantity;
    line.unitPrice = unitPrice;
    line.amount = amount;
    line.spec = u"0.25g*24"_s;
    line.unit = u"盒"_s;
    line.batchNo = u"B0401"_s;
    line.expiry = u"2006-01"_s;
    line.drugType = type;
    return line;
}

void setLines(const QList<std::pair<int, transaction::Line>>& lines)
{
    for (const auto& [number, line] : lines)
        transaction::workingSet().TransactionLines[static_cast<size_t>(number)] = line;
}

ReviewFixture::ReviewFixture(const QString& user) : WindowFixture(user)
{
    transaction::workingSet() = transaction::WorkingSet {};
}

ReviewFixture::~ReviewFixture()
{
    transaction::workingSet() = transaction::WorkingSet {};
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace reviewtests
