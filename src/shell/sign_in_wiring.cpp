#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "users/current_user.h"
#include "users/log_window.h"
#include "users/log_wording.h"
#include "users/roles.h"
#include "users/sign_in.h"
#include "users/sign_in_window.h"

#include <QAction>
#include <QPointer>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

void restrictForClerk(MainWindow& main)
{
    for (const QString& name : users::clerkDisabledEntries()) {
        if (QAction* entry = main.menuEntry(name))
            entry->setEnabled(false);
        else if (auto* image = main.findChild<QWidget*>(name))
            image->setEnabled(false);
    }
}

/** Opens the signed-in user's session on the main window; returns the log window, which the final save needs. */
users::LogWindow* startSession(MainWindow& main, platform::Database& database, const QString& userName)
{
    main.setEnabled(true);
    if (users::RoleOf(userName) == users::Role::Clerk)
        restrictForClerk(main);
    main.activateWindow();
    users::setCurrentUser(userName);

    auto* logWindow = new users::LogWindow(database, userName);
    // Owned by the main window so that it lasts the run, yet a window of its own that showing main never shows.
    logWindow->setParent(&main, Qt::Window);
    users::logAction(u"进入系统。"_s);
    return logWindow;
}

} // namespace

void wireSignIn(MainWindow&, platform::Database& database)
{
    // Shared by the hooks: the log window exists from the sign-in until the main window goes.
    auto logWindow = std::make_shared<QPointer<users::LogWindow>>();
    auto& hooks = lifecycleHooks();

    hooks.showSignIn = [&database, logWindow](MainWindow& shown) {
        // A window of its own: as a child of the main window it would be disabled with it.
        auto* signIn = new users::SignInWindow(database);
        QObject::connect(signIn, &users::SignInWindow::signedIn, &shown,
                         [&shown, &database, logWindow](const QString& userName) {
                             *logWindow = startSession(shown, database, userName);
                         });
        // The program can end while the sign-in is still open.
        QObject::connect(&shown, &QObject::destroyed, signIn, [signIn] { delete signIn; });
        signIn->move(shown.frameGeometry().center() - signIn->rect().center());
        signIn->show();
        signIn->activateWindow();
    };
    hooks.logExit = [] {
        users::logAction(u"退出系统。"_s);
    };
    hooks.finalSave = [logWindow] {
        // before a sign-in there is nothing to save
        if (*logWindow)
            (*logWindow)->finalSave();
    };
}

} // namespace shell
