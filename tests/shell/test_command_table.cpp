#include "platform/top_level_windows.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/toolbar_image.h"
#include "shell/wiring.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The entries that do nothing, written out here rather than taken from the code under test.
const QStringList inert { u"helpzt"_s, u"技术支持"_s, u"Image10"_s, u"Image12"_s };

void collectEntries(const QList<QAction*>& actions, QStringList& entries)
{
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        if (action->menu())
            collectEntries(action->menu()->actions(), entries);
        else
            entries << action->objectName();
    }
}

} // namespace

/** Every menu entry and toolbar image of the main window does something, except the few that are meant not to. */
class TestCommandTable final : public QObject
{
    Q_OBJECT

private slots:
    void everyCommandIsWired();
};

void TestCommandTable::everyCommandIsWired()
{
    testsupport::InstantTimers timers;
    testsupport::FakeDialogs dialogs;
    testsupport::ScratchDatabase scratch(true);
    shell::MainWindow main(scratch.db());
    shell::wireEverything(main, scratch.db());

    QStringList commands;
    collectEntries(main.menuBar()->actions(), commands);
    for (const shell::ToolbarImage* image : main.findChildren<shell::ToolbarImage*>())
        commands << image->objectName();
    // 42 menu entries and 15 toolbar images
    QCOMPARE(commands.size(), 42 + 15);

    QStringList unwired;
    QStringList wiredInert;
    for (const QString& command : commands) {
        if (inert.contains(command) && main.hasCommand(command))
            wiredInert << command;
        if (!inert.contains(command) && !main.hasCommand(command))
            unwired << command;
    }
    QCOMPARE(unwired, QStringList());
    QCOMPARE(wiredInert, QStringList());
    shell::lifecycleHooks() = {};
}

QTEST_MAIN(TestCommandTable)
#include "test_command_table.moc"
