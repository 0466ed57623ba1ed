#include "users/current_user.h"

namespace users {

namespace {
QString signedIn;
}

const QString& CurrentUser()
{
    return signedIn;
}

void setCurrentUser(const QString& userName)
{
    signedIn = userName;
}

} // namespace users
