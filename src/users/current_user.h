#pragma once

#include <QString>

namespace users {

/** The user name typed at a successful sign-in; empty before. It names the user's activity-log table. */
const QString& CurrentUser();
void setCurrentUser(const QString& userName);

} // namespace users
