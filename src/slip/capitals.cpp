#include "slip/capitals.h"

#include "transaction/decimal_number.h"

#include <QRegularExpression>
#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace slip {

namespace {

constexpr char16_t digitCharacters[] = u"零壹贰叁肆伍陆柒捌玖";
constexpr char16_t zero = u'零';

QString capital(QChar digit)
{
    return QString(QChar(digitCharacters[digit.unicode() - u'0']));
}

QChar takeLast(QString& digits)
{
    const QChar last = digits.back();
    digits.chop(1);
    return last;
}

/** One place with its place character; a zero writes one 零 and only when the group does not begin with one. */
void prependPlace(QString& group, QString& digits, QChar place)
{
    if (digits.isEmpty())
        return;
    const QChar digit = takeLast(digits);
    if (digit != u'0')
        group.prepend(capital(digit) + place);
    else if (!group.startsWith(zero))
        group.prepend(zero);
}

/** Up to eight integer digits: the ten-thousands group with "万", then the units group. */
QString eightDigits(QString digits)
{
    QString lower;
    if (!digits.isEmpty())
        lower.prepend(capital(takeLast(digits)));
    for (const QChar place : { u'拾', u'佰', u'仟' })
        prependPlace(lower, digits, place);

    QString upper;
    if (!digits.isEmpty())
        upper.prepend(capital(takeLast(digits)));
    for (const QChar place : { u'拾', u'佰' })
        prependPlace(upper, digits, place);
    if (!digits.isEmpty()) {
        const QChar digit = takeLast(digits);
        if (digit != u'0')
            upper.prepend(capital(digit) + u'仟');
    }

    if (lower.endsWith(zero))
        lower.chop(1);
    if (!upper.isEmpty()) {
        if (upper.endsWith(zero))
            upper.chop(1);
        upper += u'万';
    }
    return upper + lower;
}

/** The integer part; nullopt above sixteen digits. */
std::optional<QString> integerCapitals(const QString& digits)
{
    constexpr qsizetype groupDigits = 8;
    if (digits.size() <= groupDigits)
        return eightDigits(digits);
    if (digits.size() > 2 * groupDigits)
        return std::nullopt;
    const QString low = digits.right(groupDigits);
    const qsizetype firstNonZero = low.indexOf(QRegularExpression(u"[1-9]"_s));
    QString text = eightDigits(digits.left(digits.size() - groupDigits)) + u'亿';
    if (firstNonZero >= 0) {
        // a run of zeros after 亿 reads as one 零, as it does inside a group
        if (firstNonZero > 0)
            text += zero;
        text += eightDigits(low.mid(firstNonZero));
    }
    return text;
}

} // namespace

QString CapitalDigit(double value)
{
    for (int digit = 0; digit <= 9; ++digit) {
        if (value == digit)
            return QString(QChar(digitCharacters[digit]));
    }
    return {};
}

QString AmountInCapitals(double amount)
{
    if (!std::isfinite(amount))
        return {};
    if (amount == 0.0)
        return u" "_s;
    if (amount < 0.0) {
        const QString magnitude = AmountInCapitals(-amount);
        return magnitude.isEmpty() ? QString() : u"负"_s + magnitude;
    }

    const QString text = transaction::DecimalNumber::fromDouble(amount).plainText();
    const qsizetype point = text.indexOf(u'.');
    const QString integerText = point < 0 ? text : text.left(point);
    const QString fractionText = point < 0 ? QString() : text.mid(point + 1);

    QString fraction;
    if (!fractionText.isEmpty() && fractionText.at(0) != u'0')
        fraction += capital(fractionText.at(0)) + u'角';
    if (fractionText.size() >= 2)
        fraction += capital(fractionText.at(1)) + u'分';

    const auto integer = integerCapitals(integerText);
    if (!integer)
        return {};
    if (integer->isEmpty())
        return fraction;
    return *integer + u'元' + fraction;
}

} // namespace slip
