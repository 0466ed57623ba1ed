#include "transaction/sale_notices.h"

namespace transaction {

SaleNotices& saleNotices()
{
    static SaleNotices notices;
    return notices;
}

} // namespace transaction
