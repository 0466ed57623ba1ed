#pragma once

#include <QString>

namespace slip {

/** The capital numeral of a value equal to 0, 1, … 9 ("零" … "玖"); the empty text for any other value. */
QString CapitalDigit(double value);

/**
 * An amount in capital numerals, e.g. 壹仟零壹拾元伍角 for 1010.5; callers append "整". Zero gives one space, a
 * negative amount "负" and the capitals of its absolute value. The amount is read at 15 significant digits; only
 * jiao and fen are written, later decimals are dropped, never rounded.
 *
 * Beyond the eight integer digits of the slip's range, the digits above the ten-millions are written as a group of
 * their own followed by "亿" (123456789 gives 壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元), up to sixteen integer digits.
 * From 10^16 on, and for values that are not finite, the result is the empty text: no amount a slip can carry lies
 * there. A non-zero amount below one fen has no jiao and a fen of zero, so it gives 零分.
 */
QString AmountInCapitals(double amount);

} // namespace slip
