#include "transaction/derived_values.h"

#include "slip/capitals.h"
#include "slip/pages.h"
#include "store/numbers.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

const QStringList& slipTypes()
{
    static const QStringList types { u"片剂"_s, u"针剂"_s, u"器械"_s, u"其它"_s };
    return types;
}

void TallyTypes(WorkingSet& set)
{
    const QStringList& types = slipTypes();
    QList<qint16> counts(types.size(), 0);
    for (int i = 1; i <= lineCapacity; ++i) {
        const qsizetype type = types.indexOf(set.TransactionLines[static_cast<size_t>(i)].drugType);
        if (type >= 0)
            ++counts[type];
    }
    set.TypedLineCount = 0;
    set.SlipPageCount = 0;
    for (const qint16 count : counts) {
        set.TypedLineCount = static_cast<qint16>(set.TypedLineCount + count);
        set.SlipPageCount = static_cast<qint16>(set.SlipPageCount + slip::PagesForLines(count));
    }
}

void TotalAndWords(WorkingSet& set)
{
    set.TotalAmount = 0.0;
    for (int i = 1; i <= lineCapacity; ++i)
        set.TotalAmount += store::NumValue(set.TransactionLines[static_cast<size_t>(i)].amount);
    set.TotalInWords = slip::AmountInCapitals(set.TotalAmount) + u"整"_s;
}

} // namespace transaction
