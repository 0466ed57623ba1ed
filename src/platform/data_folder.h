#pragma once

#include <QString>

namespace platform {

/** The folder that holds the database, transaction files and printed slips: the working directory by default. */
QString dataFolder();
void setDataFolder(const QString& folder);

/** The database file's fixed name inside the data folder. */
inline constexpr char16_t databaseFileName[] = u"useall.mdb";
QString databasePath();

/** What the data folder of a run is chosen from. */
struct DataFolderSituation
{
    QString requested; ///< the folder given with --data-dir; empty when none was given
    QString executableFolder; ///< where the running program's executable lives
    QString installFolder; ///< the folder the program was built to be installed into (its bin folder)
    QString workingFolder;
    QString userDataFolder; ///< the user's data location for the program; empty when the system names none
};

/**
 * True when the program runs from the folder it was built to be installed into, which is what an installed package
 * does; a build folder, a source tree or a package unpacked elsewhere is not installed. Links are followed.
 */
bool runsInstalled(const QString& executableFolder, const QString& installFolder);

/**
 * The requested folder (relative to the working folder) when one was given; otherwise the user's data location when
 * the program runs installed, and the working folder when it does not. Empty when the program runs installed and the
 * system names no user data location.
 */
QString chooseDataFolder(const DataFolderSituation& situation);

/** chooseDataFolder() for this process: QCoreApplication's name must be set, as the user's data location uses it. */
QString chooseDataFolder(const QString& requested, const QString& installFolder);

} // namespace platform
