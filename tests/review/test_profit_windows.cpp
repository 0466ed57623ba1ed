#include "platform/top_level_windows.h"
#include "platform/twips.h"
#include "review/profit_window.h"
#include "review_fixture.h"
#include "shell/main_window.h"
#include "shell/wiring.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using reviewtests::focusName;
using reviewtests::saleLine;

namespace {

using Lines = QList<std::pair<int, transaction::Line>>;

QString labelText(QWidget* window, const QString& name)
{
    auto* label = window->findChild<QLabel*>(name);
    return label ? label->text() : u"<no %1>"_s.arg(name);
}

QString boxText(QWidget* window, const QString& name)
{
    auto* box = window->findChild<QLineEdit*>(name);
    return box ? box->text() : u"<no %1>"_s.arg(name);
}

QStringList column(QWidget* window, int list)
{
    QStringList texts;
    const auto* found = window->findChild<QListWidget*>(u"List%1"_s.arg(list));
    for (int row = 0; found && row < found->count(); ++row)
        texts << found->item(row)->text();
    return texts;
}

} // namespace

class TestProfitWindows final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void summaryAndDetail_data();
    void summaryAndDetail();
    void detailHoldsTheMainWindow();
    void totalsPassTheFocus_data();
    void totalsPassTheFocus();
    void returnWritesNoLog();
    void logWordingByRole_data();
    void logWordingByRole();

private:
    /** The main window with the review commands; the profit window opened from it. */
    void openFromMainWindow();
    /** Presses 详细资料 and waits for the detail window's opening work; m_detail is the window. */
    void openDetail();

    std::unique_ptr<reviewtests::ReviewFixture> m_fixture;
    std::unique_ptr<shell::MainWindow> m_main;
    QPointer<QWidget> m_detail;
};

void TestProfitWindows::init()
{
    m_fixture = std::make_unique<reviewtests::ReviewFixture>();
}

void TestProfitWindows::cleanup()
{
    delete m_detail;
    m_main.reset();
    QString problem;
    const bool done = m_fixture->finish(&problem);
    m_fixture.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestProfitWindows::openFromMainWindow()
{
    m_main = std::make_unique<shell::MainWindow>(m_fixture->scratch().db());
    shell::wireReviewCommands(*m_main, m_fixture->scratch().db());
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    m_main->runCommand(u"交易利润1"_s);
    QWidget* window = platform::topLevelWindow(u"交易利润"_s);
    QVERIFY(window);
    QVERIFY(!m_main->isEnabled());
    m_fixture->open(window);
}

void TestProfitWindows::openDetail()
{
    m_fixture->click(u"Command2"_s);
    m_detail = platform::topLevelWindow(u"详细信息"_s);
    QVERIFY(m_detail);
    const QTimer* opening = m_detail->findChild<QTimer*>(u"Timer1"_s);
    QVERIFY(opening);
    QTRY_VERIFY(m_detail->isActiveWindow() && !opening->isActive());
}

void TestProfitWindows::summaryAndDetail_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QStringList>("summary"); // total, profit
    QTest::addColumn<QStringList>("costs");
    QTest::addColumn<QStringList>("profits");
    QTest::addColumn<QStringList>("totals"); // amount, cost, profit

    const auto earning = saleLine(u"阿莫西林"_s, u"10"_s, u"2.50"_s, u"25.00"_s, u"2"_s);
    QTest::newRow("25 earning 5") << Lines { { 1, earning } } << QStringList { u"25"_s, u"5"_s }
                                  << QStringList { u"20"_s } << QStringList { u"5"_s }
                                  << QStringList { u"25"_s, u"20"_s, u"5"_s };
    QTest::newRow("line below purchase price")
        << Lines { { 1, earning }, { 2, saleLine(u"维生素C"_s, u"1"_s, u"2.00"_s, u"2.00"_s, u"5"_s) } }
        << QStringList { u"27"_s, u"2"_s } << QStringList { u"20"_s, u"5"_s } << QStringList { u"5"_s, u"-3"_s }
        << QStringList { u"27"_s, u"25"_s, u"2"_s };
    QTest::newRow("empty purchase price") << Lines { { 1, saleLine(u"维生素C"_s, u"5"_s, u"2.50"_s, u"12.50"_s) } }
                                          << QStringList { u"12.5"_s, u"12.5"_s } << QStringList { u"0"_s }
                                          << QStringList { u"12.5"_s } << QStringList { u"12.5"_s, u"0"_s, u"12.5"_s };
    QTest::newRow("lines 1 and 3 named, line 2 amount ignored")
        << Lines { { 1, earning },
                   { 2, saleLine(QString(), u"1"_s, u"9.00"_s, u"9.00"_s) },
                   { 3, saleLine(u"针"_s, u"2"_s, u"3.00"_s, u"6.00"_s, u"2.5"_s, u"针剂"_s) } }
        << QStringList { u"31"_s, u"6"_s } << QStringList { u"20"_s, u"5"_s } << QStringList { u"5"_s, u"1"_s }
        << QStringList { u"31"_s, u"25"_s, u"6"_s };
    QTest::newRow("empty sale") << Lines {} << QStringList { u"0"_s, u"0"_s } << QStringList {} << QStringList {}
                                << QStringList { u"0"_s, u"0"_s, u"0"_s };
}

void TestProfitWindows::summaryAndDetail()
{
    QFETCH(Lines, lines);
    QFETCH(QStringList, summary);
    QFETCH(QStringList, costs);
    QFETCH(QStringList, profits);
    QFETCH(QStringList, totals);
    reviewtests::setLines(lines);
    openFromMainWindow();
    QWidget* profit = m_fixture->window();

    QCOMPARE(profit->windowTitle(), u"5"_s);
    QCOMPARE(profit->size(), QSize(platform::pixels(9810), platform::pixels(4830)));
    QCOMPARE(labelText(profit, u"Label3"_s), u"本次交易利润统计"_s);
    QCOMPARE(labelText(profit, u"Label1"_s), u"本次交易总金额为:"_s);
    QCOMPARE(labelText(profit, u"Label4"_s), u"本次交易利润为:"_s);
    QCOMPARE((QStringList { labelText(profit, u"Label2"_s), labelText(profit, u"Label5"_s) }), summary);
    QCOMPARE(m_fixture->logged(), QStringList { u"制单员张三查看交易利润。"_s });

    openDetail();
    QVERIFY(m_detail);
    QWidget* detail = m_detail;
    QVERIFY(!m_fixture->window());
    QCOMPARE(detail->windowTitle(), u"Tarnwell"_s);
    QCOMPARE(labelText(detail, u"Label1"_s), u"详细信息"_s);
    QCOMPARE(column(detail, 9), costs);
    QCOMPARE(column(detail, 10), profits);
    QCOMPARE(column(detail, 1).size(), costs.size());
    QCOMPARE(boxText(detail, u"Text1"_s), u"合计:"_s);
    QCOMPARE((QStringList { boxText(detail, u"Text2"_s), boxText(detail, u"Text3"_s), boxText(detail, u"Text4"_s) }),
             totals);
    QCOMPARE(m_fixture->logged(),
             (QStringList { u"制单员张三查看交易利润。"_s, u"制单员张三查看交易利润的详细信息。"_s }));
}

void TestProfitWindows::detailHoldsTheMainWindow()
{
    reviewtests::setLines({ { 1, saleLine(u"阿莫西林"_s, u"10"_s, u"2.50"_s, u"25.00"_s, u"2"_s) },
                            { 2, saleLine(u"维生素C"_s, u"1"_s, u"2.00"_s, u"2.00"_s, u"5"_s) } });
    openFromMainWindow();
    openDetail();
    QVERIFY(m_detail);
    QWidget* detail = m_detail;
    QVERIFY(!m_main->isEnabled());

    // the detail's rows are kept in step, its other lists pass the focus to List1
    auto* profits = detail->findChild<QListWidget*>(u"List10"_s);
    QTest::mouseClick(profits->viewport(), Qt::LeftButton, {}, profits->visualItemRect(profits->item(1)).center());
    QCOMPARE(detail->findChild<QListWidget*>(u"List1"_s)->currentRow(), 1);
    QCOMPARE(detail->findChild<QListWidget*>(u"List8"_s)->currentItem()->text(), u"5"_s);
    QCOMPARE(focusName(), u"List1"_s);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!m_detail);
    QVERIFY(m_main->isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), m_main.get());
    QCOMPARE(m_fixture->logged().size(), 2);
}

void TestProfitWindows::totalsPassTheFocus_data()
{
    QTest::addColumn<QString>("box");
    for (const QString& box : { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s })
        QTest::newRow(qPrintable(box)) << box;
}

void TestProfitWindows::totalsPassTheFocus()
{
    QFETCH(QString, box);
    reviewtests::setLines({ { 1, saleLine(u"阿莫西林"_s, u"10"_s, u"2.50"_s, u"25.00"_s, u"2"_s) } });
    openFromMainWindow();
    openDetail();
    QVERIFY(m_detail);
    QWidget* detail = m_detail;
    auto* target = detail->findChild<QLineEdit*>(box);
    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(focusName(), u"List1"_s);
    QCOMPARE(target->text(), boxText(detail, box)); // nothing typed reaches a box
}

void TestProfitWindows::returnWritesNoLog()
{
    openFromMainWindow();
    m_fixture->click(u"Command1"_s);
    QTRY_VERIFY(!m_fixture->window());
    QVERIFY(!platform::topLevelWindow(u"详细信息"_s));
    QVERIFY(m_main->isEnabled());
    QCOMPARE(m_fixture->logged(), QStringList { u"制单员张三查看交易利润。"_s });
}

void TestProfitWindows::logWordingByRole_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("super user") << u"super"_s << u"超级用户"_s;
    QTest::newRow("administrator") << u"Orsvan"_s << u"系统管理员"_s;
}

void TestProfitWindows::logWordingByRole()
{
    QFETCH(QString, user);
    QFETCH(QString, prefix);
    m_fixture.reset();
    m_fixture = std::make_unique<reviewtests::ReviewFixture>(user);
    openFromMainWindow();
    openDetail();
    QVERIFY(m_detail);
    QCOMPARE(m_fixture->logged(),
             (QStringList { prefix + u"查看交易利润。"_s, prefix + u"查看交易利润的详细信息。"_s }));
}

QTEST_MAIN(TestProfitWindows)
#include "test_profit_windows.moc"
