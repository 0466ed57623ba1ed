#pragma once

#include <QString>
#include <optional>

namespace transaction {

/**
 * A decimal number held exactly: its digits and how many of them lie after the point. Amounts are worked out on
 * these rather than on doubles, so that 3 × 1.15 is 3.45 and 2.675 rounds to 2.68, as the clerk reads them.
 */
struct DecimalNumber
{
    bool negative = false;
    QString digits = QString(1, u'0'); ///< ASCII digits, at least one, no leading zeros
    int scale = 0; ///< digits after the point, never negative

    /**
     * The text read strictly: blanks around it, an optional sign, digits with at most one point and at least one
     * digit, an optional exponent of up to three digits; nothing else. nullopt for any other text ("", ".", "1.2.3",
     * "12元") and for a number too large for a double.
     */
    static std::optional<DecimalNumber> parse(const QString& text);
    /** The value of a double read at 15 significant digits, so that noise in its last binary places is dropped. */
    static DecimalNumber fromDouble(double value);

    bool isZero() const { return digits == u"0"; }
    DecimalNumber times(const DecimalNumber& other) const;
    DecimalNumber plus(const DecimalNumber& other) const;
    DecimalNumber minus(const DecimalNumber& other) const;
    /** Rounded to a number of decimals, halves away from zero. */
    DecimalNumber rounded(int decimals) const;
    /** Without exponent and without trailing zeros after the point: "12.3", "0.05", "1010". */
    QString plainText() const;
    /** At least one digit before the point and exactly the given number after it, halves away from zero. */
    QString fixedText(int decimals) const;
    /**
     * As a computed number is shown without a format: rounded to 15 significant digits (halves away from zero), then
     * written as a double of that value is ("0.1", "-3", "1e-05"); an exact zero is "0".
     */
    QString shownText() const;

private:
    void normalize();
};

} // namespace transaction
