#include "transaction/clear_command.h"

#include "platform/dialogs.h"
#include "transaction/working_set.h"

using namespace Qt::Literals::StringLiterals;

namespace transaction {

void confirmAndClear()
{
    if (!platform::confirmOkCancel(u"真的要清空当前交易吗?"_s, u"警告!"_s)) {
        platform::inform(u"操作已取消!"_s);
        return;
    }
    workingSet().ClearLines();
    platform::inform(u"交易内容已清空!"_s);
}

} // namespace transaction
