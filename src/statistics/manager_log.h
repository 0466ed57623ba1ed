#pragma once

#include <QString>

namespace statistics {

/**
 * A log entry of the sales statistics, whose texts exist for the super user and the administrator only (the menu
 * keeps clerks out): "超级用户" + the first text or "系统管理员" + the second; nothing for a clerk.
 */
void logForManagers(const QString& superUserText, const QString& administratorText);

} // namespace statistics
