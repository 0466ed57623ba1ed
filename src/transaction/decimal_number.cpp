#include "transaction/decimal_number.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

// A double reaches about 1.8e308; a strict number beyond that could not be converted either.
constexpr int largestIntegerDigits = 309;

int digitAt(const QString& digits, qsizetype i)
{
    return digits.at(i).unicode() - u'0';
}

/** The digits of two magnitudes of the same width added, or the smaller taken from the larger. */
QString combined(const QString& larger, const QString& smaller, bool subtract)
{
    QString result(larger.size() + 1, u'0');
    int carry = 0;
    for (qsizetype i = larger.size() - 1; i >= 0; --i) {
        int place = subtract ? digitAt(larger, i) - digitAt(smaller, i) - carry
                             : digitAt(larger, i) + digitAt(smaller, i) + carry;
        carry = 0;
        if (place < 0) {
            place += 10;
            carry = 1;
        } else if (place > 9) {
            place -= 10;
            carry = 1;
        }
        result[i + 1] = QChar(u'0' + place);
    }
    result[0] = QChar(u'0' + carry);
    return result;
}

/** The digits of a magnitude one unit in its last place larger. */
QString incremented(QString digits)
{
    qsizetype i = digits.size() - 1;
    while (i >= 0 && digits.at(i) == u'9') {
        digits[i] = u'0';
        --i;
    }
    if (i < 0)
        digits.prepend(u'1');
    else
        digits[i] = QChar(digits.at(i).unicode() + 1);
    return digits;
}

// Fifteen significant digits come back unchanged from the nearest double, so a value rounded to them is written as
// that double is.
constexpr int shownDigits = 15;

} // namespace

void DecimalNumber::normalize()
{
    qsizetype leading = 0;
    while (leading < digits.size() - 1 - scale && digits.at(leading) == u'0')
        ++leading;
    digits.remove(0, leading);
    // keep a digit before the point so that scale never exceeds the digit count
    if (digits.size() <= scale)
        digits.prepend(QString(scale - digits.size() + 1, u'0'));
    while (scale > 0 && digits.endsWith(u'0')) {
        digits.chop(1);
        --scale;
    }
    if (digits.isEmpty())
        digits = u"0"_s;
    if (isZero())
        negative = false;
}

std::optional<DecimalNumber> DecimalNumber::parse(const QString& text)
{
    static const QRegularExpression pattern(u"^\\s*([+-]?)([0-9]*)(?:\\.([0-9]*))?(?:[eE]([+-]?[0-9]{1,3}))?\\s*$"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString integerDigits = match.captured(2);
    const QString fractionDigits = match.captured(3);
    if (integerDigits.isEmpty() && fractionDigits.isEmpty())
        return std::nullopt;

    DecimalNumber number;
    number.negative = match.captured(1) == u"-";
    number.digits = integerDigits + fractionDigits;
    if (number.digits.isEmpty())
        number.digits = u"0"_s;
    int scale = int(fractionDigits.size());
    if (match.hasCaptured(4))
        scale -= match.captured(4).toInt();
    if (scale < 0) {
        number.digits += QString(-scale, u'0');
        scale = 0;
    }
    number.scale = scale;
    number.normalize();
    if (number.digits.size() - number.scale > largestIntegerDigits)
        return std::nullopt;
    return number;
}

DecimalNumber DecimalNumber::fromDouble(double value)
{
    DecimalNumber number;
    if (!std::isfinite(value) || value == 0.0)
        return number;
    // d.dddddddddddddde±x: fifteen significant digits, correctly rounded
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    const int exponent = scientific.mid(e + 1).toInt();
    QString digits = scientific.left(e).remove(u'.');
    // the point sits after digit exponent + 1
    int scale = int(digits.size()) - 1 - exponent;
    if (scale < 0) {
        digits += QString(-scale, u'0');
        scale = 0;
    }
    number.negative = value < 0;
    number.digits = digits;
    number.scale = scale;
    number.normalize();
    return number;
}

DecimalNumber DecimalNumber::times(const DecimalNumber& other) const
{
    QList<int> product(digits.size() + other.digits.size(), 0);
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        int carry = 0;
        for (qsizetype j = other.digits.size() - 1; j >= 0; --j) {
            int& place = product[i + j + 1];
            const int sum = place + digitAt(digits, i) * digitAt(other.digits, j) + carry;
            place = sum % 10;
            carry = sum / 10;
        }
        product[i] += carry;
    }
    DecimalNumber result;
    result.digits.clear();
    for (int d : product)
        result.digits += QChar(u'0' + d);
    result.scale = scale + other.scale;
    result.negative = negative != other.negative;
    result.normalize();
    return result;
}

DecimalNumber DecimalNumber::plus(const DecimalNumber& other) const
{
    const int commonScale = std::max(scale, other.scale);
    QString left = digits + QString(commonScale - scale, u'0');
    QString right = other.digits + QString(commonScale - other.scale, u'0');
    const qsizetype width = std::max(left.size(), right.size());
    left = left.rightJustified(width, u'0');
    right = right.rightJustified(width, u'0');

    DecimalNumber result;
    result.scale = commonScale;
    if (negative == other.negative) {
        result.digits = combined(left, right, false);
        result.negative = negative;
    } else if (left >= right) {
        // same width, ASCII digits: the text order is the order of the magnitudes
        result.digits = combined(left, right, true);
        result.negative = negative;
    } else {
        result.digits = combined(right, left, true);
        result.negative = other.negative;
    }
    result.normalize();
    return result;
}

DecimalNumber DecimalNumber::minus(const DecimalNumber& other) const
{
    DecimalNumber negated = other;
    negated.negative = !other.negative && !other.isZero();
    return plus(negated);
}

DecimalNumber DecimalNumber::rounded(int decimals) const
{
    if (scale <= decimals)
        return *this;
    DecimalNumber result = *this;
    const qsizetype kept = digits.size() - (scale - decimals);
    result.digits = digitAt(digits, kept) >= 5 ? incremented(digits.left(kept)) : digits.left(kept);
    result.scale = decimals;
    result.normalize();
    return result;
}

QString DecimalNumber::plainText() const
{
    const qsizetype integerCount = digits.size() - scale;
    QString text = negative ? u"-"_s : QString();
    text += digits.left(integerCount);
    if (scale > 0)
        text += u'.' + digits.mid(integerCount);
    return text;
}

QString DecimalNumber::shownText() const
{
    const qsizetype firstSignificant = digits.indexOf(QRegularExpression(u"[1-9]"_s));
    if (firstSignificant < 0)
        return u"0"_s;
    DecimalNumber value = *this;
    const qsizetype dropped = digits.size() - firstSignificant - shownDigits;
    if (dropped > 0) {
        // rounded at the last shown digit, which may lie before the point as well as after it
        const qsizetype kept = digits.size() - dropped;
        value.digits = digitAt(digits, kept) >= 5 ? incremented(digits.left(kept)) : digits.left(kept);
        const qsizetype exponent = dropped - scale;
        if (exponent >= 0) {
            value.digits += QString(exponent, u'0');
            value.scale = 0;
        } else {
            value.scale = int(-exponent);
        }
        value.normalize();
    }
    return QString::number(value.plainText().toDouble(), 'g', shownDigits);
}

QString DecimalNumber::fixedText(int decimals) const
{
    const DecimalNumber value = rounded(decimals);
    const qsizetype integerCount = value.digits.size() - value.scale;
    QString text = value.negative ? u"-"_s : QString();
    text += value.digits.left(integerCount);
    if (decimals > 0)
        text += u'.' + (value.digits.mid(integerCount) + QString(decimals, u'0')).left(decimals);
    return text;
}

} // namespace transaction
