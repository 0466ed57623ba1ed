#pragma once

#include <QString>

namespace platform {

/** The settings file in the data folder that every desk of a shared database starts with. */
inline constexpr char16_t settingsFileName[] = u"quenvale.ini";

/** Which database a run works on, and why that one could not be chosen. */
struct DatabaseChoice
{
    QString location; ///< a server URI, or the path of useall.mdb
    QString error; ///< why the choice cannot be used; empty when it can
};

/**
 * The database of a run: the URI given on the command line (`--database`) when there is one, else `url` in the
 * section `[database]` of quenvale.ini in the data folder, else useall.mdb in the data folder. A given text that is
 * not a postgresql:// URI is refused rather than taken for a file.
 */
DatabaseChoice chooseDatabase(const QString& commandLineUrl, const QString& dataFolder);

/** The run's database: set at start-up; useall.mdb in the data folder until then. */
void setDatabaseLocation(const QString& location);
QString databaseLocation();
/** The run's database as the user is told of it: the file's path, or the server's URI without a password. */
QString shownDatabaseName();

} // namespace platform
