#include "statistics/manager_log.h"

#include "users/activity_log.h"
#include "users/current_user.h"
#include "users/log_wording.h"
#include "users/roles.h"

namespace statistics {

void logForManagers(const QString& superUserText, const QString& administratorText)
{
    if (users::RoleOf(users::CurrentUser()) == users::Role::Clerk)
        return;
    users::AddLogEntry(users::roleWording(superUserText, administratorText, {}));
}

} // namespace statistics
