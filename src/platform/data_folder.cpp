#include "platform/data_folder.h"

#include <QDir>

namespace platform {

namespace {
QString chosenFolder;
}

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

} // namespace platform
