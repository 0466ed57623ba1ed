#include "platform/data_folder.h"
#include "platform/top_level_windows.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "store/database_check.h"
#include "store/schema.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;
using shell::MainWindow;

class TestStartupShutdown final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void splashHoldsMainWindowBack();
    void splashHandsOverToSignIn_data();
    void splashHandsOverToSignIn();
    void shutdown_data();
    void shutdown();
    void programClosesDisabledWindow();
    void secondCloseDoesNotRepeatShutdown();
    void failingStepIsSkipped();
    void databaseOfTheRun_data();
    void databaseOfTheRun();

private:
    /** The main window shown, with hooks that write what they see into m_steps. */
    void showWithRecordingHooks();

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeLauncher> m_launcher;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_steps;
};

void TestStartupShutdown::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_launcher = std::make_unique<testsupport::FakeLauncher>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    shell::lifecycleHooks() = {};
    m_steps.clear();
}

void TestStartupShutdown::cleanup()
{
    shell::lifecycleHooks() = {};
    m_window.reset();
    m_scratch.reset();
    m_launcher.reset();
    m_timers.reset();
}

void TestStartupShutdown::showWithRecordingHooks()
{
    auto& hooks = shell::lifecycleHooks();
    hooks.unloadEntryWindows = [this] {
        m_steps << u"unload entry windows"_s;
    };
    hooks.logExit = [this] {
        m_steps << u"log exit"_s;
    };
    hooks.finalSave = [this] {
        QWidget* quit = platform::topLevelWindow(u"quitform"_s);
        auto* notice = quit ? quit->findChild<QLabel*>() : nullptr;
        m_steps << u"final save"_s;
        if (quit && quit->isVisible() && notice)
            m_steps << notice->text();
        if (!m_window->isEnabled())
            m_steps << u"main disabled"_s;
    };
    m_window = std::make_unique<MainWindow>(m_scratch->db());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestStartupShutdown::splashHoldsMainWindowBack()
{
    platform::timing().splash = 3'600'000;
    shell::Startup startup(m_scratch->db());
    startup.start();

    QWidget* splash = platform::topLevelWindow(u"index"_s);
    QVERIFY(splash);
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    auto* timer = splash->findChild<QTimer*>(u"Timer1"_s);
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 3'600'000);
    QVERIFY(!startup.mainWindow().isVisible());
    QVERIFY(!QApplication::quitOnLastWindowClosed());
}

void TestStartupShutdown::splashHandsOverToSignIn_data()
{
    QTest::addColumn<bool>("withSignIn");

    QTest::newRow("sign-in shown") << true;
    QTest::newRow("no sign-in yet") << false;
}

void TestStartupShutdown::splashHandsOverToSignIn()
{
    QFETCH(bool, withSignIn);

    QList<MainWindow*> signInsOver;
    bool mainUsableDuringSignIn = false;
    if (withSignIn) {
        shell::lifecycleHooks().showSignIn = [&](MainWindow& main) {
            signInsOver << &main;
            mainUsableDuringSignIn = main.isVisible() && main.isEnabled();
        };
    }
    shell::Startup startup(m_scratch->db());
    startup.start();
    QVERIFY(platform::topLevelWindow(u"index"_s));

    MainWindow& main = startup.mainWindow();
    QTRY_VERIFY(main.isVisible());
    QTRY_VERIFY(!platform::topLevelWindow(u"index"_s));
    QCOMPARE(main.isEnabled(), !withSignIn);
    if (withSignIn) {
        QCOMPARE(signInsOver, QList<MainWindow*> { &main });
        QVERIFY(mainUsableDuringSignIn);
    }
}

void TestStartupShutdown::shutdown_data()
{
    QTest::addColumn<QString>("way");

    QTest::newRow("platform window closed") << u"window handle"_s;
    QTest::newRow("closed by the program") << u"close"_s;
    QTest::newRow("exit entry") << u"exit"_s;
    QTest::newRow("exit image") << u"Image11"_s;
}

void TestStartupShutdown::shutdown()
{
    QFETCH(QString, way);

    showWithRecordingHooks();
    if (way == u"window handle"_s)
        m_window->windowHandle()->close();
    else if (way == u"close"_s)
        m_window->close();
    else if (way == u"exit"_s)
        m_window->menuEntry(way)->trigger();
    else
        QTest::mouseClick(m_window->findChild<QWidget*>(way), Qt::LeftButton);

    QVERIFY(m_window->isQuitting());
    QTRY_COMPARE(m_launcher->endCalls, 1);
    QCOMPARE(m_launcher->exitCode, 0);
    const QStringList expected { u"unload entry windows"_s, u"log exit"_s, u"final save"_s,
                                 u"正在保存数据，请稍候....."_s, u"main disabled"_s };
    QCOMPARE(m_steps, expected);
    QTRY_VERIFY(!platform::topLevelWindow(u"quitform"_s)->isVisible());
}

void TestStartupShutdown::programClosesDisabledWindow()
{
    // a restore or a password window ends the program while it holds the main window disabled
    showWithRecordingHooks();
    m_window->setEnabled(false);
    m_window->close();

    QVERIFY(m_window->isQuitting());
    QTRY_COMPARE(m_launcher->endCalls, 1);
}

void TestStartupShutdown::secondCloseDoesNotRepeatShutdown()
{
    showWithRecordingHooks();
    m_window->close();
    m_window->close();
    QTRY_COMPARE(m_launcher->endCalls, 1);
    m_window->close();

    QCOMPARE(m_steps.count(u"unload entry windows"_s), 1);
    QCOMPARE(m_steps.count(u"log exit"_s), 1);
    QCOMPARE(m_steps.count(u"final save"_s), 1);
    QCOMPARE(m_launcher->endCalls, 1);
}

void TestStartupShutdown::failingStepIsSkipped()
{
    showWithRecordingHooks();
    shell::lifecycleHooks().unloadEntryWindows = [] {
        throw std::runtime_error("window already gone");
    };
    m_window->close();

    QTRY_COMPARE(m_launcher->endCalls, 1);
    QCOMPARE(m_steps.value(0), u"log exit"_s);
    QVERIFY(m_steps.contains(u"final save"_s));
}

void TestStartupShutdown::databaseOfTheRun_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("cause"); ///< empty when the database is taken

    QTest::newRow("missing, the delivered one is made") << u"missing"_s << QString();
    QTest::newRow("ours, with what killed restores left") << u"ours"_s << QString();
    QTest::newRow("zero bytes") << u"zero bytes"_s << u"数据库文件是空的(0 字节)"_s;
    QTest::newRow("another program's database") << u"foreign"_s << u"缺少数据表“药品”"_s;
    QTest::newRow("ours without the administrator") << u"no administrator"_s << u"数据表“user”中没有系统管理员的记录"_s;
}

void TestStartupShutdown::databaseOfTheRun()
{
    QFETCH(QString, file);
    QFETCH(QString, cause);

    testsupport::FakeDialogs dialogs;
    QTemporaryDir folder;
    platform::setDataFolder(folder.path());
    const auto restoreFolder = qScopeGuard([] { platform::setDataFolder({}); });
    const QString path = folder.filePath(u"useall.mdb"_s);
    const QDir backups(folder.filePath(u"backup"_s));
    QVERIFY(backups.mkpath(u"."_s));
    const auto place = [](const QString& where, const QByteArray& bytes) {
        QFile placed(where);
        QVERIFY(placed.open(QIODevice::WriteOnly));
        QCOMPARE(placed.write(bytes), bytes.size());
    };
    if (file == u"zero bytes"_s) {
        place(path, {});
    } else if (file == u"foreign"_s) {
        platform::Database foreign(path);
        QVERIFY(foreign.exec(u"CREATE TABLE orders (id TEXT)"_s));
    } else if (file != u"missing"_s) {
        QVERIFY(store::createDeliveredDatabase(path));
        if (file == u"no administrator"_s) {
            platform::Database ours(path);
            QVERIFY(ours.exec(u"DELETE FROM \"user\""_s));
        }
    }
    // what restores killed midway left, and files of the same folders that are not theirs
    place(folder.filePath(u"restore-a1B2c3.tmp"_s), QByteArray(4096, 'x'));
    place(folder.filePath(u"restore-a1B2c3.tmp-journal"_s), "journal"_ba);
    place(backups.filePath(u"restore-Zz9y8X.tmp"_s), "half a copy"_ba);
    place(folder.filePath(u"restore-notes.tmp"_s), "the user's"_ba);
    place(backups.filePath(u"2004121.bak"_s), "Quenvale"_ba);
    QFile database(path);
    const QByteArray before = database.open(QIODevice::ReadOnly) ? database.readAll() : QByteArray();
    database.close();
    if (!cause.isEmpty()) {
        dialogs.expect(u"数据库错误，请检查数据库！\n文件: %1\n原因: %2\n备份文件夹: %3"_s.arg(
            QDir::toNativeSeparators(path), cause, QDir::toNativeSeparators(backups.path())));
    }

    const std::unique_ptr<platform::Database> opened = shell::openDatabase();

    QString problem;
    QVERIFY2(dialogs.verifyDone(&problem), qPrintable(problem));
    QCOMPARE(opened != nullptr, cause.isEmpty());
    if (opened) {
        QVERIFY(store::checkDatabase(opened->connection()).sound());
    } else {
        QVERIFY(database.open(QIODevice::ReadOnly));
        QCOMPARE(database.readAll(), before);
        QCOMPARE(QFileInfo(path).size(), before.size());
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList { u"restore-notes.tmp"_s, u"useall.mdb"_s }));
    QCOMPARE(backups.entryList(QDir::Files | QDir::Hidden), QStringList { u"2004121.bak"_s });
}

QTEST_MAIN(TestStartupShutdown)
#include "test_startup_shutdown.moc"
