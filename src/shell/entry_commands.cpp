#include "platform/top_level_windows.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "transaction/clear_command.h"
#include "transaction/entry_window.h"

#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace shell {

void wireEntryCommands(MainWindow& main, platform::Database& database)
{
    const auto openStoredEntry = [&database] {
        transaction::EntryWindow::open(database, transaction::EntryVariant::stored());
    };
    main.setCommand(u"newa"_s, openStoredEntry);
    main.setCommand(u"Image1"_s, openStoredEntry);
    main.setCommand(u"Image2"_s,
                    [&database] { transaction::EntryWindow::open(database, transaction::EntryVariant::notStored()); });
    main.setCommand(u"清空"_s, [] { transaction::confirmAndClear(); });

    // Unloading at shutdown writes no log entry and leaves the working set as it is.
    lifecycleHooks().unloadEntryWindows = [] {
        for (const QString& name : { u"xdjy"_s, u"xdjy1"_s }) {
            if (QWidget* window = platform::topLevelWindow(name))
                window->close();
        }
    };
}

} // namespace shell
