#pragma once

#include <QString>

namespace platform {

/** The folder that holds the database, transaction files and printed slips: the working directory by default. */
QString dataFolder();
void setDataFolder(const QString& folder);

/** The database file's fixed name inside the data folder. */
inline constexpr char16_t databaseFileName[] = u"useall.mdb";
QString databasePath();

} // namespace platform
