#include "platform/top_level_windows.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/wiring.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/activity_log.h"
#include "users/current_user.h"
#include "users/password_encoding.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using shell::MainWindow;

namespace {

// What a clerk may not reach, written out here rather than taken from the code under test.
const QStringList clerkForbidden { u"超级用户1"_s, u"删除药品"_s,     u"删除单位"_s,     u"添加新用户"_s, u"按年统计"_s,
                                   u"按月统计"_s,  u"查看交易记录"_s, u"查看单位档案"_s, u"dwtj"_s,       u"Image7"_s,
                                   u"修改单位"_s,  u"修改标题"_s,     u"交易利润1"_s,    u"删除制单员"_s, u"导入数据"_s,
                                   u"操作日志"_s,  u"options"_s,      u"salesChart"_s };

const QDateTime signInMoment(QDate(2004, 6, 15), QTime(9, 5, 33));
const QDateTime exitMoment(QDate(2004, 6, 15), QTime(17, 30, 2));

} // namespace

class TestSignInWiring final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void signInStartsSession_data();
    void signInStartsSession();
    void shutdownSavesSession_data();
    void shutdownSavesSession();
    void shutdownWithoutLogTableStillEnds();
    void leavingSignInEndsWithoutLog();

private:
    /** Starts the program up to the sign-in window, m_signInWindow. */
    void startToSignIn();
    void signIn(const QString& userName, const QString& password);
    MainWindow& main() const { return m_startup->mainWindow(); }

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeLauncher> m_launcher;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<shell::Startup> m_startup;
    QPointer<QWidget> m_signInWindow;
};

void TestSignInWiring::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_launcher = std::make_unique<testsupport::FakeLauncher>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_clock = std::make_unique<testsupport::FakeClock>(signInMoment);
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    QVERIFY(m_scratch->db().exec(u"INSERT INTO \"user\" (\"username\", \"userpassword\") VALUES (?, ?)"_s,
                                 { u"lily"_s, users::EncodePassword(u"1357"_s, users::Role::Clerk) }));
    QVERIFY(store::createTable(m_scratch->db(), u"lily"_s, store::logTableColumns()));
    shell::lifecycleHooks() = {};
}

void TestSignInWiring::cleanup()
{
    QString problem;
    const bool dialogsDone = m_dialogs->verifyDone(&problem);
    m_startup.reset();
    shell::lifecycleHooks() = {};
    users::setCurrentUser({});
    m_scratch.reset();
    m_clock.reset();
    m_dialogs.reset();
    m_launcher.reset();
    m_timers.reset();
    QVERIFY2(dialogsDone, qPrintable(problem));
}

void TestSignInWiring::startToSignIn()
{
    m_startup = std::make_unique<shell::Startup>(m_scratch->db());
    shell::wireSignIn(main(), m_scratch->db());
    m_startup->start();
    QTRY_VERIFY(platform::topLevelWindow(u"Form2"_s));
    m_signInWindow = platform::topLevelWindow(u"Form2"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_signInWindow));
    QVERIFY(main().isVisible());
    QVERIFY(!main().isEnabled());
    // the main window's disabling must not reach the sign-in
    QVERIFY(m_signInWindow->isEnabled());
}

void TestSignInWiring::signIn(const QString& userName, const QString& password)
{
    startToSignIn();
    if (QTest::currentTestFailed())
        return;
    m_signInWindow->findChild<QComboBox*>(u"text1"_s)->setEditText(userName);
    m_signInWindow->findChild<QLineEdit*>(u"Text2"_s)->setText(password);
    QTest::mouseClick(m_signInWindow->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    QTRY_VERIFY(!m_signInWindow);
}

void TestSignInWiring::signInStartsSession_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("forbidden");
    QTest::addColumn<QString>("firstEntry");

    QTest::newRow("super user") << u"super"_s << u"888888"_s << QStringList() << u"超级用户进入系统。"_s;
    QTest::newRow("administrator") << u"Orsvan"_s << u"123456"_s << QStringList() << u"系统管理员进入系统。"_s;
    QTest::newRow("clerk") << u"lily"_s << u"1357"_s << clerkForbidden << u"制单员lily进入系统。"_s;
    QTest::newRow("clerk typed in another case")
        << u"LILY"_s << u"1357"_s << clerkForbidden << u"制单员LILY进入系统。"_s;
}

void TestSignInWiring::signInStartsSession()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    QFETCH(QStringList, forbidden);
    QFETCH(QString, firstEntry);

    signIn(userName, password);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(main().isEnabled());

    int entries = 0;
    for (QAction* entry : main().menuBar()->findChildren<QAction*>()) {
        if (entry->objectName().isEmpty())
            continue;
        ++entries;
        QVERIFY2(entry->isEnabled() == !forbidden.contains(entry->objectName()), qPrintable(entry->objectName()));
    }
    QVERIFY(entries > 40);
    QWidget* toolbar = main().findChild<QWidget*>(u"Picture1"_s);
    QVERIFY(toolbar);
    const QList<QWidget*> images = toolbar->findChildren<QWidget*>();
    QCOMPARE(images.size(), 15);
    for (QWidget* image : images)
        QVERIFY2(image->isEnabled() == !forbidden.contains(image->objectName()), qPrintable(image->objectName()));

    QCOMPARE(users::CurrentUser(), userName);
    QWidget* logWindow = platform::topLevelWindow(u"Form7"_s);
    QVERIFY(logWindow);
    QVERIFY(!logWindow->isVisible());
    QVERIFY(users::activityLog());
    QCOMPARE(users::activityLog()->table(), userName);
    const QList<users::LogEntry> pending { { u"200406159:05:33"_s, firstEntry } };
    QCOMPARE(users::activityLog()->pending(), pending);
    QCOMPARE(m_launcher->endCalls, 0);
}

void TestSignInWiring::shutdownSavesSession_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("wording");

    QTest::newRow("super user") << u"super"_s << u"888888"_s << u"超级用户"_s;
    QTest::newRow("administrator") << u"Orsvan"_s << u"123456"_s << u"系统管理员"_s;
    QTest::newRow("clerk") << u"lily"_s << u"1357"_s << u"制单员lily"_s;
}

void TestSignInWiring::shutdownSavesSession()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    QFETCH(QString, wording);

    signIn(userName, password);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(m_scratch->rows(userName).isEmpty());
    m_clock->set(exitMoment);
    main().close();

    QTRY_COMPARE(m_launcher->endCalls, 1);
    const QList<QStringList> saved { { u"200406159:05:33"_s, wording + u"进入系统。"_s },
                                     { u"2004061517:30:02"_s, wording + u"退出系统。"_s } };
    QCOMPARE(m_scratch->rows(userName), saved);
    QVERIFY(users::activityLog()->pending().isEmpty());
}

void TestSignInWiring::shutdownWithoutLogTableStillEnds()
{
    QVERIFY(m_scratch->db().exec(u"DROP TABLE \"lily\""_s));
    signIn(u"lily"_s, u"1357"_s);
    if (QTest::currentTestFailed())
        return;
    m_dialogs->expect(u"操作日志无法保存，请检查数据库！"_s);
    main().close();

    QTRY_COMPARE(m_launcher->endCalls, 1);
    QCOMPARE(users::activityLog()->pending().size(), 2);
}

void TestSignInWiring::leavingSignInEndsWithoutLog()
{
    startToSignIn();
    if (QTest::currentTestFailed())
        return;
    QTest::mouseClick(m_signInWindow->findChild<QPushButton*>(u"Command2"_s), Qt::LeftButton);

    QCOMPARE(m_launcher->endCalls, 1);
    QVERIFY(!users::activityLog());
    QVERIFY(users::CurrentUser().isEmpty());
    QVERIFY(!main().isEnabled());
}

QTEST_MAIN(TestSignInWiring)
#include "test_sign_in_wiring.moc"
