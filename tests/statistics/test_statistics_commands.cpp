#include "platform/top_level_windows.h"
#include "sales_fixture.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "users/current_user.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

class TestStatisticsCommands final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandOpensWindowExclusively_data();
    void commandOpensWindowExclusively();
    void chooserAndResultHoldTheMainWindow();
    void failedTotalGivesTheMainWindowBack();

private:
    QPointer<QWidget> openedWindow(const QString& name);
    void click(QWidget* window, const QString& button);

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<shell::MainWindow> m_main;
};

void TestStatisticsCommands::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_clock = std::make_unique<testsupport::FakeClock>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    users::setCurrentUser(u"Orsvan"_s);
    m_main = std::make_unique<shell::MainWindow>(m_scratch->db());
    shell::wireStatisticsCommands(*m_main, m_scratch->db());
    shell::wireTableCommands(*m_main, m_scratch->db());
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

void TestStatisticsCommands::cleanup()
{
    m_main.reset();
    // Windows a failed test left open; deleting one may delete others it owns.
    QList<QPointer<QWidget>> left;
    for (QWidget* window : QApplication::topLevelWidgets())
        left << window;
    for (const QPointer<QWidget>& window : left)
        delete window.data();
    m_scratch.reset();
    users::setCurrentUser({});
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    m_dialogs.reset();
    m_clock.reset();
    m_timers.reset();
    QVERIFY2(done, qPrintable(problem));
}

QPointer<QWidget> TestStatisticsCommands::openedWindow(const QString& name)
{
    QPointer<QWidget> window = platform::topLevelWindow(name);
    if (window) {
        QPointer<QTimer> opening = window->findChild<QTimer*>(u"Timer1"_s);
        if (!QTest::qWaitFor([&] { return !window || !opening || !opening->isActive(); }))
            return nullptr;
    }
    return window;
}

void TestStatisticsCommands::click(QWidget* window, const QString& button)
{
    QVERIFY(window);
    auto* found = window->findChild<QPushButton*>(button);
    QVERIFY2(found && found->isVisible(), qPrintable(button));
    QTest::mouseClick(found, Qt::LeftButton);
}

void TestStatisticsCommands::commandOpensWindowExclusively_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");

    QTest::newRow("查看交易记录") << u"查看交易记录"_s << u"Look1"_s;
    QTest::newRow("Look") << u"Look"_s << u"Look1"_s;
    QTest::newRow("按月统计") << u"按月统计"_s << u"Form1"_s;
    QTest::newRow("按年统计") << u"按年统计"_s << u"form6"_s;
    QTest::newRow("dwtj") << u"dwtj"_s << u"dwtj1"_s;
    QTest::newRow("Image7") << u"Image7"_s << u"dwtj1"_s;
    QTest::newRow("yptj") << u"yptj"_s << u"yptj1"_s;
    QTest::newRow("Image8") << u"Image8"_s << u"yptj1"_s;
    QTest::newRow("单位数统计") << u"单位数统计"_s << u"单位"_s;
    QTest::newRow("交易明细") << u"交易明细"_s << u"saleGrid"_s;
    QTest::newRow("操作日志") << u"操作日志"_s << u"logViewer"_s;
    QTest::newRow("salesChart") << u"salesChart"_s << u"salesChart"_s;
}

void TestStatisticsCommands::commandOpensWindowExclusively()
{
    QFETCH(QString, command);
    QFETCH(QString, window);

    statisticstests::registerUnit(*m_scratch, u"仁和诊所"_s);
    statisticstests::storeMedicines(*m_scratch, 3);
    m_main->runCommand(command);
    QPointer<QWidget> opened = openedWindow(window);
    QVERIFY(opened);
    QCOMPARE(opened->parentWidget(), nullptr);
    QVERIFY(!m_main->isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), opened.data());

    // Opening it again brings the same window to the front.
    m_main->runCommand(command);
    QCOMPARE(platform::topLevelWindow(window), opened.data());

    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : opened.data(), Qt::Key_Escape);
    QTRY_VERIFY(!opened);
    QVERIFY(m_main->isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), m_main.get());
}

void TestStatisticsCommands::chooserAndResultHoldTheMainWindow()
{
    statisticstests::registerUnit(*m_scratch, u"仁和诊所"_s);
    m_main->runCommand(u"按月统计"_s);
    QPointer<QWidget> chooser = openedWindow(u"Form1"_s);
    click(chooser, u"Command1"_s);
    QPointer<QWidget> result = openedWindow(u"月销售总额统计"_s);
    QVERIFY(result);
    QVERIFY(!chooser->isVisible());
    QVERIFY(!m_main->isEnabled());

    click(result, u"Command1"_s);
    QTRY_VERIFY(!result);
    QTRY_VERIFY(chooser->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), chooser.data());
    QVERIFY(!m_main->isEnabled());

    click(chooser, u"Command2"_s);
    QTRY_VERIFY(!chooser);
    QVERIFY(m_main->isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), m_main.get());
}

void TestStatisticsCommands::failedTotalGivesTheMainWindowBack()
{
    // an empty register
    m_main->runCommand(u"按年统计"_s);
    QPointer<QWidget> chooser = openedWindow(u"form6"_s);
    m_dialogs->expect(u"目前没有交易单位！"_s);
    click(chooser, u"Command1"_s);

    QTRY_VERIFY(!chooser);
    QTRY_VERIFY(!platform::topLevelWindow(u"年销售总额统计"_s));
    QVERIFY(m_main->isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), m_main.get());

    // The next opening starts a fresh pair.
    m_main->runCommand(u"按年统计"_s);
    QVERIFY(openedWindow(u"form6"_s));
    QVERIFY(!m_main->isEnabled());
}

QTEST_MAIN(TestStatisticsCommands)
#include "test_statistics_commands.moc"
