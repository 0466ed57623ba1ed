#pragma once

#include <QPointer>
#include <memory>

namespace platform {
class Database;
}

namespace shell {

class MainWindow;
class SplashWindow;

/**
 * The database of the run, useall.mdb in the data folder. Temporary files that restores cut short left in the data
 * folder or the backup folder are removed first. A missing file becomes the delivered database; an existing one is
 * used only when it is a database of this system (store::checkDatabaseFile()). Otherwise the user is told
 * "数据库错误，请检查数据库！" with the file, the cause and the backup folder, nothing is returned and the program
 * is to end; the file is left exactly as it was.
 */
std::unique_ptr<platform::Database> openDatabase();

/**
 * The start of the program: the main window, made at once so that other subsystems can attach their commands, and
 * the splash that shows it. After the splash interval the main window is shown, the sign-in hook (when set) is shown
 * over it and the main window is disabled until the sign-in enables it; without a sign-in hook it stays enabled.
 *
 * The program ends only through platform::launcher().endProgram(), which the shutdown calls; closing the last window
 * does not end it.
 */
class Startup final
{
public:
    explicit Startup(platform::Database& database);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    MainWindow& mainWindow() const { return *m_mainWindow; }

    /** Shows the splash. */
    void start();

private:
    void showMainWindow();

    std::unique_ptr<MainWindow> m_mainWindow;
    QPointer<SplashWindow> m_splash;
};

} // namespace shell
