#include "shell/startup.h"

#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"

#include <QApplication>

namespace shell {

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
