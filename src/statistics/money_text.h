#pragma once

#include <QString>

namespace statistics {

/**
 * A sales total in the format ".00": two decimals to the nearest hundredth (halves away from zero, on the value read
 * at 15 significant digits), no thousands separator, and no digit before the point when the whole part is zero:
 * 0.5 is ".50", 1234.5 is "1234.50", 0 is ".00".
 */
QString moneyText(double total);

/** moneyText(), except that a total of exactly zero is "0.00". */
QString moneyTextOrZero(double total);

} // namespace statistics
