#include "platform/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {
QString chosenFolder;

/** The folder's path with links resolved when it exists, so that two names of one folder compare equal. */
QString comparablePath(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}
} // namespace

QString dataFolder()
{
    return chosenFolder.isEmpty() ? QDir::currentPath() : chosenFolder;
}

void setDataFolder(const QString& folder)
{
    chosenFolder = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

QString databasePath()
{
    return QDir(dataFolder()).filePath(QString::fromUtf16(databaseFileName));
}

bool runsInstalled(const QString& executableFolder, const QString& installFolder)
{
    return !executableFolder.isEmpty() && !installFolder.isEmpty()
        && comparablePath(executableFolder) == comparablePath(installFolder);
}

QString chooseDataFolder(const DataFolderSituation& situation)
{
    if (!situation.requested.isEmpty())
        return QDir::cleanPath(QDir(situation.workingFolder).filePath(situation.requested));
    if (runsInstalled(situation.executableFolder, situation.installFolder))
        return situation.userDataFolder;
    return situation.workingFolder;
}

QString chooseDataFolder(const QString& requested, const QString& installFolder)
{
    return chooseDataFolder({ requested, QCoreApplication::applicationDirPath(), installFolder, QDir::currentPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) });
}

} // namespace platform
