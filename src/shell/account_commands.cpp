#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"
#include "users/add_clerk_window.h"
#include "users/delete_clerk_window.h"
#include "users/password_window.h"

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

/** Opens the account window of that name exclusively, loading it first unless it is open. */
void openAccountWindow(MainWindow& main, const QString& name, const std::function<users::AccountWindow*()>& load)
{
    openExclusively(loadedWindow(name,
                                 [&main, &load]() -> QWidget* {
                                     users::AccountWindow* loaded = load();
                                     QObject::connect(loaded, &users::AccountWindow::runEnded, &main, &QWidget::close);
                                     return loaded;
                                 }),
                    main);
}

} // namespace

void wireAccountCommands(MainWindow& main, platform::Database& database)
{
    const auto passwordCommand = [&main, &database](const QString& name, users::PasswordForm form) {
        return [&main, &database, name, form] {
            openAccountWindow(main, name, [&database, form] { return new users::PasswordWindow(database, form); });
        };
    };
    main.setCommand(u"超级用户"_s, passwordCommand(u"super"_s, users::PasswordForm::SuperUser));
    main.setCommand(u"普通用户"_s, passwordCommand(u"user"_s, users::PasswordForm::Account));
    main.setCommand(u"普通用户1"_s, passwordCommand(u"password"_s, users::PasswordForm::Clerk));
    main.setCommand(u"添加新用户"_s, [&main, &database] {
        openAccountWindow(main, u"Form5"_s, [&database] { return new users::AddClerkWindow(database); });
    });
    main.setCommand(u"删除制单员"_s, [&main, &database] {
        openAccountWindow(main, u"制单员"_s, [&database] { return new users::DeleteClerkWindow(database); });
    });
}

} // namespace shell
