#include "statistics/money_text.h"

#include "transaction/decimal_number.h"

using namespace Qt::Literals::StringLiterals;

namespace statistics {

QString moneyText(double total)
{
    QString text = transaction::DecimalNumber::fromDouble(total).fixedText(2);
    // A value that rounds to nothing keeps no sign: -0.001 is ".00", not "-.00".
    if (text == u"-0.00")
        text = u"0.00"_s;
    if (text.startsWith(u"0."))
        text.remove(0, 1);
    else if (text.startsWith(u"-0."))
        text.remove(1, 1);
    return text;
}

QString moneyTextOrZero(double total)
{
    return total == 0.0 ? u"0.00"_s : moneyText(total);
}

} // namespace statistics
