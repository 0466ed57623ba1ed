#include "users/roles.h"

using namespace Qt::Literals::StringLiterals;

namespace users {

Role RoleOf(const QString& userName)
{
    if (userName == u"super"_s)
        return Role::SuperUser;
    if (userName == u"Orsvan"_s)
        return Role::Administrator;
    return Role::Clerk;
}

} // namespace users
