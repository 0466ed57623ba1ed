#pragma once

#include <QString>

namespace users {

enum class Role { SuperUser, Administrator, Clerk };

/** "super" is the super user and "Orsvan" the system administrator, both exactly; any other name is a clerk. */
Role RoleOf(const QString& userName);

} // namespace users
