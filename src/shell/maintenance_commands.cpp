#include "maintenance/about_window.h"
#include "maintenance/backup_window.h"
#include "maintenance/letterhead_window.h"
#include "maintenance/options_window.h"
#include "maintenance/restore_window.h"
#include "platform/launcher.h"
#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"

#include <QUrl>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

/** The maker's home page; a deployment can point the command elsewhere with QUENVALE_HOME_PAGE. */
QUrl homePage()
{
    const QString configured = qEnvironmentVariable("QUENVALE_HOME_PAGE");
    return QUrl(configured.isEmpty() ? u"https://www.quenvale.cn/"_s : configured);
}

} // namespace

void wireMaintenanceCommands(MainWindow& main, platform::Database& database)
{
    const auto backup = [&main, &database] {
        openExclusively(loadedWindow(u"backupform"_s, [&database] { return new maintenance::BackupWindow(database); }),
                        main);
    };
    main.setCommand(u"backup"_s, backup);
    main.setCommand(u"Image3"_s, backup);

    // the restore window holds the main window itself from its loading on
    main.setCommand(u"导入数据"_s, [&main, &database] {
        openPlainly(
            loadedWindow(u"导入"_s, [&main, &database] { return new maintenance::RestoreWindow(database, main); }));
    });

    main.setCommand(u"修改标题"_s, [&main, &database] {
        openExclusively(
            loadedWindow(u"修改抬头"_s, [&database] { return new maintenance::LetterheadWindow(database); }), main);
    });

    main.setCommand(u"options"_s, [&main, &database] {
        openExclusively(loadedWindow(u"options"_s, [&database] { return new maintenance::OptionsWindow(database); }),
                        main);
    });

    const auto about = [&main] {
        openExclusively(loadedWindow(u"frmAbout"_s, [] { return new maintenance::AboutWindow; }), main);
    };
    main.setCommand(u"aboutus"_s, about);
    main.setCommand(u"Image9"_s, about);

    // without a browser there is nothing more to do
    main.setCommand(u"hompage"_s, [] { platform::launcher().openUrl(homePage()); });
}

} // namespace shell
