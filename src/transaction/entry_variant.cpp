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

EntryVariant EntryVariant::notStored()
{
    EntryVariant variant;
    variant.windowName = u"xdjy1"_s;
    variant.continueCaption = u"继续--不入库"_s;
    variant.finishCaption = u"完成--不入库"_s;
    variant.runningTotalLabel = u"Label18"_s;
    variant.openingLog = u"进入新交易（不入库）页面。"_s;
    variant.cancellingLog = u"退出新交易（不入库）页面。"_s;
    // ASCII brackets here, full-width ones in the opening and cancelling entries: the log reads as it always has
    variant.finishingLog = u"完成与%1的交易(不入库)。"_s;
    variant.purchasePrices = false;
    variant.appendsLines = false;
    variant.storedFlag = false;
    return variant;
}

} // namespace transaction
