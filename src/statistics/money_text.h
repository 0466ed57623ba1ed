#pragma once

#include <QString>

namespace statistics {

/** A sales total in the format ".00" (transaction::formatPointAmount()), except that exactly zero is "0.00". */
QString moneyTextOrZero(double total);

} // namespace statistics
