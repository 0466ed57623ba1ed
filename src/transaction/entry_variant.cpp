#include "transaction/entry_variant.h"

using namespace Qt::Literals::StringLiterals;

namespace transaction {

EntryVariant EntryVariant::stored()
{
    EntryVariant variant;
    variant.windowName = u"xdjy"_s;
    variant.continueCaption = u"继续--入库"_s;
    variant.finishCaption = u"完成--入库"_s;
    variant.runningTotalLabel = u"Label31"_s;
    variant.openingLog = u"进入新交易（入库）页面。"_s;
    variant.cancellingLog = u"退出新交易（入库）页面。"_s;
    variant.finishingLog = u"完成与%1的交易。"_s;
    variant.purchasePrices = true;
    variant.appendsLines = true;
    variant.storedFlag = true;
    return variant;
}

} // namespace transaction
