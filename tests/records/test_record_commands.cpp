#include "catalogue_fixture.h"
#include "platform/top_level_windows.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/current_user.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestRecordCommands final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandOpensWindowExclusively_data();
    void commandOpensWindowExclusively();

private:
    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<shell::MainWindow> m_main;
};

void TestRecordCommands::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    users::setCurrentUser(u"Orsvan"_s);
    m_main = std::make_unique<shell::MainWindow>(m_scratch->db());
    shell::wireRecordCommands(*m_main, m_scratch->db());
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

void TestRecordCommands::cleanup()
{
    m_main.reset();
    m_scratch.reset();
    users::setCurrentUser({});
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    m_dialogs.reset();
    m_timers.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestRecordCommands::commandOpensWindowExclusively_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("filled"); // a medicine and a unit on record
    QTest::addColumn<QString>("closing"); // "Esc", "close", or the message with which the window closes itself

    QTest::newRow("新药品") << u"新药品"_s << u"addnewM"_s << false << u"Esc"_s;
    QTest::newRow("Image4") << u"Image4"_s << u"addnewM"_s << false << u"close"_s;
    QTest::newRow("修改药") << u"修改药"_s << u"modiM"_s << false << u"Esc"_s;
    QTest::newRow("Image6") << u"Image6"_s << u"modiM"_s << false << u"Esc"_s;
    QTest::newRow("查看药品档案") << u"查看药品档案"_s << u"药品档案查询"_s << true << u"Esc"_s;
    QTest::newRow("查看药品档案, empty") << u"查看药品档案"_s << u"药品档案查询"_s << false << u"没有任何药品档案！"_s;
    QTest::newRow("删除药品") << u"删除药品"_s << u"Form3"_s << true << u"Esc"_s;
    QTest::newRow("新单位") << u"新单位"_s << u"addnewcom"_s << false << u"Esc"_s;
    QTest::newRow("Image5") << u"Image5"_s << u"addnewcom"_s << false << u"Esc"_s;
    QTest::newRow("修改单位") << u"修改单位"_s << u"modicom"_s << false << u"Esc"_s;
    QTest::newRow("查看单位档案") << u"查看单位档案"_s << u"单位档案查询"_s << true << u"Esc"_s;
    QTest::newRow("删除单位") << u"删除单位"_s << u"Form4"_s << true << u"close"_s;
    QTest::newRow("删除单位, empty") << u"删除单位"_s << u"Form4"_s << false << u"已经没有交易单位!"_s;
}

void TestRecordCommands::commandOpensWindowExclusively()
{
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(bool, filled);
    QFETCH(QString, closing);

    if (filled) {
        recordtests::storeMedicines(
            *m_scratch,
            { { u"阿莫西林"_s, u"A01"_s, u"华北制药"_s, u"0.25g*24"_s, u"盒"_s, u"15.00"_s, u"11.20"_s, u"片剂"_s } });
        recordtests::storeUnit(*m_scratch, { u"仁和诊所"_s });
    }
    const bool closesItself = closing != u"Esc"_s && closing != u"close"_s;
    if (closesItself)
        m_dialogs->expect(closing);

    m_main->runCommand(command);
    QPointer<QWidget> opened = platform::topLevelWindow(window);
    QVERIFY(opened);
    QVERIFY(opened->isWindow());
    QCOMPARE(opened->parentWidget(), nullptr);

    if (!closesItself) {
        QVERIFY(!m_main->isEnabled());
        QTRY_COMPARE(QApplication::activeWindow(), opened.data());
        if (closing == u"Esc"_s)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : opened.data(), Qt::Key_Escape);
        else
            opened->close();
    }

    QTRY_VERIFY(!opened);
    QVERIFY(m_main->isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), m_main.get());
}

QTEST_MAIN(TestRecordCommands)
#include "test_record_commands.moc"
