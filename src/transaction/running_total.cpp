#include "transaction/running_total.h"

#include "store/numbers.h"
#include "transaction/amounts.h"

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

void add(SaleSoFar& sale, const Line& line)
{
    if (line.name.isEmpty())
        return;
    ++sale.lines;
    sale.total += store::NumValue(line.amount);
}

} // namespace

SaleSoFar saleSoFar(const WorkingSet& set, const PageRows& page)
{
    SaleSoFar sale;
    for (int i = 1; i <= lineCapacity; ++i)
        add(sale, set.TransactionLines[static_cast<size_t>(i)]);
    for (const Line& row : page)
        add(sale, row);
    return sale;
}

QString saleSoFarText(const SaleSoFar& sale)
{
    return u"本单 %1 条, 合计 %2 元"_s.arg(sale.lines).arg(formatAmount(sale.total));
}

QString finishedSaleText(const WorkingSet& set, bool stored)
{
    const QString total = formatAmount(set.TotalAmount);
    return stored ? u"已存入销售单 %1, 合计 %2 元"_s.arg(set.SerialText, total)
                  : u"已完成销售单 %1(不入库), 合计 %2 元"_s.arg(set.SerialText, total);
}

} // namespace transaction
