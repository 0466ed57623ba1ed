#pragma once

#include <QString>

namespace users {

/**
 * A log message in the wording of the signed-in user's role: "超级用户" + text, "系统管理员" + text, or "制单员" + the
 * clerk's user name + text.
 */
QString roleWording(const QString& text);

/** The text of the signed-in user's role, for sites whose texts differ by role (a clerk's text follows its name). */
QString roleWording(const QString& superUserText, const QString& administratorText, const QString& clerkText);

/** Adds an entry in the role's wording to the activity log. */
void logAction(const QString& text);

} // namespace users
