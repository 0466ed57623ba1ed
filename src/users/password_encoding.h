#pragma once

#include "users/roles.h"

#include <QString>

namespace users {

/**
 * The stored form of a password: each character becomes the code of its digit value (non-digits count as 0) plus a
 * position offset that depends on the role (clerk i, administrator i + 1, super user 2i, i counted from 1). Stored
 * passwords are compared in this form and never decoded. The result is as long as the text.
 */
QString EncodePassword(const QString& text, Role role);

} // namespace users
