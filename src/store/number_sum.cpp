#include "store/number_sum.h"

using namespace Qt::Literals::StringLiterals;

namespace store {

// SQLite's total() is 0.0 over no rows, where sum() would give NULL; it adds as the period sums do, so figures worked
// out with it agree with theirs to the last bit.
QString numberSum(const QString& expression)
{
    return u"total(numvalue(%1))"_s.arg(expression);
}

} // namespace store
