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
