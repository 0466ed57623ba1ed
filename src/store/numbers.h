#pragma once

#include <QString>

namespace store {

/** A whole number as text: one leading space when it is not negative (" 2003", " 0"), "-" when it is. */
QString NumText(qint64 n);

/**
 * The numeric value of the number at the start of a text: blanks (space, tab, line feed) are skipped wherever they
 * occur, then a sign, digits, a decimal point, digits and an exponent are read up to the first other character.
 * 0 when there is no number: "  12.50元" is 12.5, "1 2" is 12, "abc" is 0.
 */
double NumValue(const QString& text);

} // namespace store
