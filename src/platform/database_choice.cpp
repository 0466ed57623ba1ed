#include "platform/database_choice.h"

#include "platform/data_folder.h"
#include "platform/server_url.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

QString chosenLocation;

DatabaseChoice serverChoice(const QString& url, const QString& from)
{
    if (!isServerUrl(url))
        return { {}, u"%1: not a postgresql:// URL: %2"_s.arg(from, url) };
    const ServerUrl parts = parseServerUrl(url);
    if (!parts.error.isEmpty())
        return { {}, u"%1: %2"_s.arg(from, parts.error) };
    return { url, {} };
}

} // namespace

DatabaseChoice chooseDatabase(const QString& commandLineUrl, const QString& dataFolder)
{
    if (!commandLineUrl.isEmpty())
        return serverChoice(commandLineUrl.trimmed(), u"--database"_s);
    const QString settingsFile = QDir(dataFolder).filePath(QString::fromUtf16(settingsFileName));
    if (QFileInfo::exists(settingsFile)) {
        const QSettings settings(settingsFile, QSettings::IniFormat);
        if (settings.status() != QSettings::NoError)
            return { {}, u"%1: cannot be read"_s.arg(settingsFile) };
        const QString url = settings.value(u"database/url"_s).toString().trimmed();
        if (!url.isEmpty())
            return serverChoice(url, settingsFile);
    }
    return { QDir(dataFolder).filePath(QString::fromUtf16(databaseFileName)), {} };
}

void setDatabaseLocation(const QString& location)
{
    chosenLocation = location;
}

QString databaseLocation()
{
    return chosenLocation.isEmpty() ? databasePath() : chosenLocation;
}

QString shownDatabaseName()
{
    const QString location = databaseLocation();
    return isServerUrl(location) ? shownServerUrl(location) : QDir::toNativeSeparators(location);
}

} // namespace platform
