#include "transaction/working_set.h"

namespace transaction {

void WorkingSet::ClearLines()
{
    for (int i = 1; i <= lineCapacity; ++i) {
        Line& line = TransactionLines[static_cast<size_t>(i)];
        const QString purchasePrice = line.purchasePrice;
        line = Line {};
        line.purchasePrice = purchasePrice;
    }
    NextLine = 1;
}

WorkingSet& workingSet()
{
    static WorkingSet set;
    return set;
}

} // namespace transaction
