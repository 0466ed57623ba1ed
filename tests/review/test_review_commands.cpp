#include "platform/top_level_windows.h"
#include "review_fixture.h"
#include "shell/main_window.h"
#include "shell/wiring.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestReviewCommands final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandOpensWindowExclusively_data();
    void commandOpensWindowExclusively();
    void openWindowIsBroughtToFront();

private:
    std::unique_ptr<reviewtests::ReviewFixture> m_fixture;
    std::unique_ptr<shell::MainWindow> m_main;
};

void TestReviewCommands::init()
{
    m_fixture = std::make_unique<reviewtests::ReviewFixture>(u"super"_s);
    m_main = std::make_unique<shell::MainWindow>(m_fixture->scratch().db());
    shell::wireReviewCommands(*m_main, m_fixture->scratch().db());
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

void TestReviewCommands::cleanup()
{
    for (const QString& name : { u"查看本次交易"_s, u"交易利润"_s, u"修改"_s })
        delete platform::topLevelWindow(name);
    m_main.reset();
    QString problem;
    const bool done = m_fixture->finish(&problem);
    m_fixture.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestReviewCommands::commandOpensWindowExclusively_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("unitOnRecord");
    QTest::addColumn<QString>("closing"); // "Esc", "close", or the message with which the window closes itself

    QTest::newRow("查看本次交易1") << u"查看本次交易1"_s << u"查看本次交易"_s << false << u"Esc"_s;
    QTest::newRow("Image15") << u"Image15"_s << u"查看本次交易"_s << false << u"close"_s;
    QTest::newRow("交易利润1") << u"交易利润1"_s << u"交易利润"_s << false << u"Esc"_s;
    QTest::newRow("修改购药单位") << u"修改购药单位"_s << u"修改"_s << true << u"Esc"_s;
    QTest::newRow("修改购药单位, empty register") << u"修改购药单位"_s << u"修改"_s << false << u"目前没有交易单位！"_s;
}

void TestReviewCommands::commandOpensWindowExclusively()
{
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(bool, unitOnRecord);
    QFETCH(QString, closing);

    if (unitOnRecord)
        QVERIFY(m_fixture->scratch().db().exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { u"甲"_s }));
    const bool closesItself = closing != u"Esc"_s && closing != u"close"_s;
    if (closesItself)
        m_fixture->dialogs().expect(closing);

    m_main->runCommand(command);
    QPointer<QWidget> opened = platform::topLevelWindow(window);
    QVERIFY(opened);
    QCOMPARE(opened->parentWidget(), nullptr);

    if (!closesItself) {
        QVERIFY(!m_main->isEnabled());
        QTRY_COMPARE(QApplication::activeWindow(), opened.data());
        QTRY_VERIFY(!m_fixture->logged().isEmpty());
        if (closing == u"Esc"_s)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : opened.data(), Qt::Key_Escape);
        else
            opened->close();
    }

    QTRY_VERIFY(!opened);
    QVERIFY(m_main->isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), m_main.get());
}

void TestReviewCommands::openWindowIsBroughtToFront()
{
    m_main->runCommand(u"查看本次交易1"_s);
    QPointer<QWidget> first = platform::topLevelWindow(u"查看本次交易"_s);
    QVERIFY(first);
    QTRY_COMPARE(m_fixture->logged().size(), 1);
    m_main->runCommand(u"Image15"_s);
    QCOMPARE(platform::topLevelWindow(u"查看本次交易"_s), first.data());
    QCOMPARE(m_fixture->logged().size(), 1);
}

QTEST_MAIN(TestReviewCommands)
#include "test_review_commands.moc"
