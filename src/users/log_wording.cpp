#include "users/log_wording.h"

#include "users/activity_log.h"
#include "users/current_user.h"
#include "users/roles.h"

using namespace Qt::Literals::StringLiterals;

namespace users {

QString roleWording(const QString& text)
{
    return roleWording(text, text, text);
}

QString roleWording(const QString& superUserText, const QString& administratorText, const QString& clerkText)
{
    switch (RoleOf(CurrentUser())) {
    case Role::SuperUser:
        return u"超级用户"_s + superUserText;
    case Role::Administrator:
        return u"系统管理员"_s + administratorText;
    case Role::Clerk:
        break;
    }
    return u"制单员"_s + CurrentUser() + clerkText;
}

void logAction(const QString& text)
{
    AddLogEntry(roleWording(text));
}

} // namespace users
