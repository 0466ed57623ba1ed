#include "transaction/amounts.h"

#include "store/numbers.h"
#include "transaction/decimal_number.h"

using namespace Qt::Literals::StringLiterals;

namespace transaction {

QString formatAmount(double value)
{
    return DecimalNumber::fromDouble(value).fixedText(2);
}

QString formatPointAmount(double value)
{
    QString text = formatAmount(value);
    if (text == u"-0.00")
        text = u"0.00"_s;
    if (text.startsWith(u"0."))
        text.remove(0, 1);
    else if (text.startsWith(u"-0."))
        text.remove(1, 1);
    return text;
}

QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

std::optional<QString> lineAmount(const QString& quantity, const QString& unitPrice)
{
    if (quantity.isEmpty() || unitPrice.isEmpty())
        return std::nullopt;
    const auto count = DecimalNumber::parse(quantity);
    const auto price = DecimalNumber::parse(unitPrice);
    if (!count || !price)
        return std::nullopt;
    return count->times(*price).fixedText(2);
}

QString storedUnitPrice(const QString& priceText)
{
    return formatAmount(store::NumValue(priceText));
}

bool isBelowPurchasePrice(const QString& purchasePrice, const QString& unitPrice)
{
    return store::NumValue(purchasePrice) > store::NumValue(unitPrice);
}

QString belowPurchasePriceQuestion(const QString& purchasePrice)
{
    return u"低于进价 "_s + purchasePrice + u" ,是否修改?"_s;
}

} // namespace transaction
