#include "statistics/money_text.h"

#include "transaction/amounts.h"

using namespace Qt::Literals::StringLiterals;

namespace statistics {

QString moneyTextOrZero(double total)
{
    return total == 0.0 ? u"0.00"_s : transaction::formatPointAmount(total);
}

} // namespace statistics
