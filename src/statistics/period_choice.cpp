#include "statistics/period_choice.h"

#include "store/numbers.h"
#include "transaction/amounts.h"

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

// The numbers in a log text are plain digits, without the stored form's leading space.
QString plainNumber(const QString& text)
{
    return transaction::numberText(store::NumValue(text));
}

} // namespace

QStringList yearItems(int currentYear)
{
    QStringList items;
    for (int year = currentYear - 4; year <= currentYear; ++year)
        items << store::NumText(year) + u"年"_s;
    return items;
}

QStringList monthItems()
{
    QStringList items;
    for (int month = 1; month <= 12; ++month)
        items << store::NumText(month) + u"月"_s;
    return items;
}

QString initialYearBoxText()
{
    return u" 2003年"_s;
}

QString initialMonthBoxText()
{
    return u" 1月"_s;
}

SalePeriod chosenPeriod(PeriodKind kind, const QString& yearBoxText, const QString& monthBoxText)
{
    SalePeriod period { yearBoxText.left(5), {} };
    if (kind == PeriodKind::Month)
        period.month = monthBoxText.size() == 3 ? monthBoxText.left(2) : monthBoxText.left(3);
    return period;
}

QString choiceLogText(const SalePeriod& period)
{
    QString text = u"统计"_s + plainNumber(period.year) + u"年"_s;
    if (!period.month.isEmpty())
        text += plainNumber(period.month) + u"月"_s;
    return text + u"的销售情况"_s;
}

QString periodLabelPrefix(const SalePeriod& period)
{
    if (period.month.isEmpty())
        return period.year + u"年,"_s;
    return period.year + u"年"_s + period.month.mid(1) + u"月,"_s;
}

} // namespace statistics
