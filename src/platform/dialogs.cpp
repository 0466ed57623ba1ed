#include "platform/dialogs.h"

#include "platform/qt_dialogs.h"

namespace platform {

namespace {
Dialogs* installed = nullptr;
}

Dialogs& dialogs()
{
    static QtDialogs qtDialogs;
    return installed ? *installed : qtDialogs;
}

void setDialogs(Dialogs* replacement)
{
    installed = replacement;
}

void inform(const QString& text, const QString& title, Icon icon)
{
    dialogs().ask({ text, title, Buttons::Ok, icon });
}

bool confirmOkCancel(const QString& text, const QString& title, Icon icon)
{
    return dialogs().ask({ text, title, Buttons::OkCancel, icon }) == Answer::Ok;
}

bool confirmYesNo(const QString& text, const QString& title)
{
    return dialogs().ask({ text, title, Buttons::YesNo, Icon::Question }) == Answer::Yes;
}

} // namespace platform
