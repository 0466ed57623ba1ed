#include "sales_fixture.h"
#include "statistics/history_window.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using statisticstests::Sale;

namespace {

Sale line(const QString& medicine, const QString& day, const QString& maker = u"华北制药"_s)
{
    Sale s;
    s.medicine = medicine;
    s.day = day;
    s.maker = maker;
    return s;
}

const QStringList browseSet { u"Command6"_s, u"Command3"_s, u"Command5"_s, u"Command7"_s, u"Command8"_s };
const QStringList findSet { u"Command11"_s, u"Command4"_s, u"Command9"_s, u"Command12"_s, u"Command10"_s };

} // namespace

class TestHistoryWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsAUnitsLines();
    void browsingOneLine();
    void unitWithoutSales_data();
    void unitWithoutSales();
    void findMode();
    void searchWithoutMatch();
    void findButtonsBeforeASearch();

private:
    void openWindow();
    bool buttonsShown(const QStringList& names, bool shown) const;

    std::unique_ptr<testsupport::WindowFixture> m_f;
};

void TestHistoryWindow::init()
{
    m_f = std::make_unique<testsupport::WindowFixture>();
    statisticstests::registerUnit(m_f->scratch(), u"仁和诊所"_s);
    statisticstests::registerUnit(m_f->scratch(), u"康泰药房"_s);
    statisticstests::registerUnit(m_f->scratch(), u"无表单位"_s, false);
}

void TestHistoryWindow::cleanup()
{
    QString problem;
    const bool done = m_f->finish(&problem);
    m_f.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestHistoryWindow::openWindow()
{
    m_f->open(new statistics::HistoryWindow(m_f->scratch().db()));
    QVERIFY(m_f->window());
}

bool TestHistoryWindow::buttonsShown(const QStringList& names, bool shown) const
{
    for (const QString& name : names) {
        auto* button = m_f->control<QPushButton>(name);
        if (!button || button->isVisible() != shown)
            return false;
    }
    return true;
}

void TestHistoryWindow::showsAUnitsLines()
{
    Sale stored = line(u"阿莫西林"_s, u" 1"_s);
    stored.month = u" 12"_s;
    statisticstests::storeSales(m_f->scratch(), u"仁和诊所"_s, { stored, line(u"维生素C"_s, u" 2"_s, u"天津药业"_s) });
    openWindow();

    auto* units = m_f->control<QComboBox>(u"Combo1"_s);
    QCOMPARE(QApplication::focusWidget(), units);
    QCOMPARE(units->count(), 3);
    QCOMPARE(units->itemText(0), u"仁和诊所"_s);
    QCOMPARE(units->currentText(), QString());
    // Typed keys choose nothing.
    QTest::keyClicks(units, u"abc"_s);
    QCOMPARE(units->currentText(), QString());
    QVERIFY(buttonsShown(browseSet, true) && buttonsShown(findSet, false));
    QVERIFY(!m_f->control<QLineEdit>(u"Text1"_s)->isEnabled());

    m_f->choose(u"Combo1"_s, u"仁和诊所"_s);
    const QStringList boxes { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s, u"Text5"_s, u"Text6"_s, u"Text7"_s };
    const auto shown = [&] {
        QStringList texts;
        for (const QString& box : boxes)
            texts << m_f->text(box);
        return texts;
    };
    QCOMPARE(shown(),
             (QStringList { u"阿莫西林"_s, u"华北制药"_s, u"0.25g*24"_s, u"盒"_s, u"5"_s, u"2.50"_s, u"2003/12/1"_s }));
    m_f->click(u"Command7"_s);
    QCOMPARE(m_f->text(u"Text1"_s), u"维生素C"_s);
    QCOMPARE(m_f->text(u"Text2"_s), u"天津药业"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/2"_s);
    QVERIFY(!m_f->control<QPushButton>(u"Command5"_s)->isEnabled());

    m_f->pressEscape();
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged(),
             (QStringList { u"系统管理员进入查看以往交易系统。"_s, u"系统管理员退出查看以往交易系统。"_s }));
}

void TestHistoryWindow::browsingOneLine()
{
    statisticstests::storeSales(m_f->scratch(), u"仁和诊所"_s, { line(u"阿莫西林"_s, u" 1"_s) });
    openWindow();
    m_f->choose(u"Combo1"_s, u"仁和诊所"_s);

    m_f->dialogs().expect(u"已是第一条记录!"_s);
    m_f->click(u"Command3"_s);
    QVERIFY(!m_f->control<QPushButton>(u"Command3"_s)->isEnabled());
    m_f->dialogs().expect(u"已是最后一条记录!"_s);
    m_f->click(u"Command5"_s);
    QVERIFY(!m_f->control<QPushButton>(u"Command5"_s)->isEnabled());
    QCOMPARE(m_f->text(u"Text1"_s), u"阿莫西林"_s);

    // Another unit starts with both moves open again.
    statisticstests::storeSales(m_f->scratch(), u"康泰药房"_s,
                                { line(u"维生素C"_s, u" 1"_s), line(u"维生素C"_s, u" 2"_s) });
    m_f->choose(u"Combo1"_s, u"康泰药房"_s);
    QVERIFY(m_f->control<QPushButton>(u"Command5"_s)->isEnabled());
    m_f->click(u"Command5"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/2"_s);
}

void TestHistoryWindow::unitWithoutSales_data()
{
    QTest::addColumn<QString>("unit");

    QTest::newRow("empty table") << u"康泰药房"_s;
    QTest::newRow("missing table") << u"无表单位"_s;
}

void TestHistoryWindow::unitWithoutSales()
{
    QFETCH(QString, unit);

    statisticstests::storeSales(m_f->scratch(), u"仁和诊所"_s,
                                { line(u"阿莫西林"_s, u" 1"_s), line(u"维生素C"_s, u" 2"_s) });
    openWindow();
    m_f->choose(u"Combo1"_s, u"仁和诊所"_s);

    m_f->dialogs().expect(u"与此单位没有任何交易！"_s);
    m_f->choose(u"Combo1"_s, unit);
    QCOMPARE(m_f->text(u"Text1"_s), u"阿莫西林"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/1"_s);

    // The moves have no unit to move in: no message, nothing changes.
    for (const QString& button : { u"Command5"_s, u"Command7"_s, u"Command3"_s, u"Command6"_s })
        m_f->click(button);
    QCOMPARE(m_f->text(u"Text1"_s), u"阿莫西林"_s);
    m_f->click(u"Command8"_s);
    m_f->control<QLineEdit>(u"Text1"_s)->setText(u"维生素C"_s);
    QTest::keyClick(m_f->control<QLineEdit>(u"Text1"_s), Qt::Key_Return);
    m_f->click(u"Command12"_s);
    m_f->click(u"Command10"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/1"_s);
    QVERIFY(m_f->window());
}

void TestHistoryWindow::findMode()
{
    statisticstests::storeSales(m_f->scratch(), u"仁和诊所"_s,
                                { line(u"Amoxil"_s, u" 1"_s), line(u"维生素C"_s, u" 2"_s), line(u"Amoxil"_s, u" 3"_s),
                                  line(u"维生素C"_s, u" 4"_s), line(u"Amoxil"_s, u" 5"_s) });
    openWindow();
    m_f->choose(u"Combo1"_s, u"仁和诊所"_s);

    m_f->click(u"Command8"_s);
    QVERIFY(buttonsShown(browseSet, false) && buttonsShown(findSet, true));
    auto* name = m_f->control<QLineEdit>(u"Text1"_s);
    QVERIFY(name->isEnabled());
    QCOMPARE(QApplication::focusWidget(), name);

    // Another letter case finds it; Enter goes on to 上一条 and the search runs as the box is left.
    name->selectAll();
    QTest::keyClicks(name, u"AMOXIL"_s);
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_f->control<QPushButton>(u"Command4"_s));
    QCOMPARE(m_f->text(u"Text1"_s), u"Amoxil"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/1"_s);

    m_f->click(u"Command12"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/5"_s);
    m_f->click(u"Command9"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/5"_s);
    m_f->click(u"Command4"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/3"_s);
    m_f->click(u"Command11"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/1"_s);

    m_f->click(u"Command10"_s);
    QVERIFY(buttonsShown(browseSet, true) && buttonsShown(findSet, false));
    QVERIFY(!name->isEnabled());
    QVERIFY(!m_f->control<QPushButton>(u"Command3"_s)->isEnabled());
    QVERIFY(m_f->control<QPushButton>(u"Command5"_s)->isEnabled());
    m_f->click(u"Command5"_s);
    QCOMPARE(m_f->text(u"Text1"_s), u"维生素C"_s);
}

void TestHistoryWindow::searchWithoutMatch()
{
    statisticstests::storeSales(m_f->scratch(), u"仁和诊所"_s,
                                { line(u"阿莫西林"_s, u" 1"_s), line(u"维生素C"_s, u" 2"_s) });
    openWindow();
    m_f->choose(u"Combo1"_s, u"仁和诊所"_s);
    m_f->click(u"Command5"_s);
    m_f->click(u"Command8"_s);

    auto* name = m_f->control<QLineEdit>(u"Text1"_s);
    name->selectAll();
    QTest::keyClicks(name, u"Aspirin"_s);
    m_f->dialogs().expect(u"无此药品"_s);
    QTest::keyClick(name, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), name);
    QCOMPARE(m_f->text(u"Text1"_s), u"维生素C"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/2"_s);
}

void TestHistoryWindow::findButtonsBeforeASearch()
{
    statisticstests::storeSales(m_f->scratch(), u"仁和诊所"_s,
                                { line(u"阿莫西林"_s, u" 1"_s), line(u"维生素C"_s, u" 2"_s) });
    openWindow();
    m_f->choose(u"Combo1"_s, u"仁和诊所"_s);
    m_f->click(u"Command5"_s);
    m_f->click(u"Command8"_s);
    // Leaving a name box that holds a name would search for it.
    m_f->control<QLineEdit>(u"Text1"_s)->clear();

    for (const QString& button : { u"Command11"_s, u"Command4"_s, u"Command9"_s, u"Command12"_s })
        m_f->click(button);
    QCOMPARE(m_f->text(u"Text1"_s), QString());
    QCOMPARE(m_f->text(u"Text7"_s), u"2003/5/2"_s);
}

QTEST_MAIN(TestHistoryWindow)
#include "test_history_window.moc"
