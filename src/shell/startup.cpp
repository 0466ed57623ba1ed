#include "shell/startup.h"

#include "maintenance/database_copy.h"
#include "platform/data_folder.h"
#include "platform/database.h"
#include "platform/database_choice.h"
#include "platform/dialogs.h"
#include "platform/server_url.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"
#include "store/database_check.h"
#include "store/engine_sql.h"
#include "store/mnemonic_column.h"
#include "store/schema.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

std::unique_ptr<platform::Database> refuse(const QString& path, const QString& cause)
{
    const QString where = platform::isServerUrl(path) ? u"数据库: %1"_s.arg(platform::shownServerUrl(path))
                                                      : u"文件: %1"_s.arg(QDir::toNativeSeparators(path));
    platform::inform(u"数据库错误，请检查数据库！\n%1\n原因: %2\n备份文件夹: %3"_s.arg(
                         where, cause, QDir::toNativeSeparators(maintenance::backupFolder())),
                     u"警告!"_s);
    return nullptr;
}

/**
 * A server database: an empty one gets the delivered tables first, in one transaction; then it must pass the same
 * check as a file.
 */
std::unique_ptr<platform::Database> openServerDatabase(const QString& url)
{
    auto database = std::make_unique<platform::Database>(url);
    const QString& shown = url;
    if (!database->isOpen())
        return refuse(shown, database->lastError());
    const auto tables = store::tableNames(*database);
    if (!tables)
        return refuse(shown, database->lastError());
    // Another desk starting at the same moment may have made them first; the check below tells.
    if (tables->isEmpty() && !store::createDeliveredContent(*database)
        && store::tableNames(*database).value_or(QStringList()).isEmpty())
        return refuse(shown, database->lastError());
    if (const store::DatabaseCheck check = store::checkDatabase(database->connection()); !check.sound())
        return refuse(shown, check.cause());
    // as for a file: a database made before there were 助记码 gets them now
    store::addMnemonicCodes(*database);
    return database;
}

} // namespace

std::unique_ptr<platform::Database> openDatabase()
{
    maintenance::removeRestoreLeftovers(platform::dataFolder());
    maintenance::removeRestoreLeftovers(maintenance::backupFolder());

    if (platform::isServerUrl(platform::databaseLocation()))
        return openServerDatabase(platform::databaseLocation());
    const QString path = platform::databasePath();
    if (!QFileInfo::exists(path)) {
        QString error;
        if (!store::createDeliveredDatabase(path, &error))
            return refuse(path, error);
    } else if (const store::DatabaseCheck check = store::checkDatabaseFile(path); !check.sound()) {
        return refuse(path, check.cause());
    }
    auto database = std::make_unique<platform::Database>(path);
    if (!database->isOpen())
        return refuse(path, database->lastError());
    // A database made before there were 助记码 gets them now. One that cannot take them (a file that cannot be written)
    // still runs as before: the find list then reads the codes from the names, and a code typed in a medicine window
    // cannot be saved, which that window reports.
    store::addMnemonicCodes(*database);
    return database;
}

Startup::Startup(platform::Database& database) : m_mainWindow(std::make_unique<MainWindow>(database)) { }

Startup::~Startup()
{
    delete m_splash;
}

void Startup::start()
{
    QApplication::setQuitOnLastWindowClosed(false);
    if (m_splash)
        return;
    m_splash = new SplashWindow;
    QObject::connect(m_splash, &SplashWindow::elapsed, m_splash, [this] { showMainWindow(); });
    m_splash->show();
}

void Startup::showMainWindow()
{
    m_splash->close();
    m_splash->deleteLater();
    m_mainWindow->show();
    if (const auto& showSignIn = lifecycleHooks().showSignIn) {
        showSignIn(*m_mainWindow);
        m_mainWindow->setEnabled(false);
    }
}

} // namespace shell
