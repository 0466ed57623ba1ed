#include "platform/top_level_windows.h"
#include "sales_fixture.h"
#include "statistics/count_window.h"
#include "statistics/history_window.h"
#include "statistics/period_chooser_window.h"
#include "statistics/unit_total_window.h"
#include "support/window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using statisticstests::Sale;

namespace {

Sale sale(const QString& year, const QString& month, const QString& amount)
{
    Sale s;
    s.year = year;
    s.month = month;
    s.amount = amount;
    return s;
}

QString labelText(QWidget* window, const QString& name)
{
    auto* label = window ? window->findChild<QLabel*>(name) : nullptr;
    return label ? label->text() : u"<no %1>"_s.arg(name);
}

} // namespace

class TestStatisticsWindows final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void chooserLists();
    void monthlyTotals();
    void monthWithoutSales();
    void yearlyTotals();
    void failedTotalEndsThePair_data();
    void failedTotalEndsThePair();
    void totalNamesUnitsLeftOut_data();
    void totalNamesUnitsLeftOut();

    void unitTotal();
    void unitTotalWithoutUnits();

    void counts_data();
    void counts();

    void logWording_data();
    void logWording();

private:
    void twoUnitsWithSales();
    statistics::PeriodChooserWindow* chooser(const statistics::PeriodView& view);
    /** Presses 确定 and waits until the result window has done its opening work. */
    void confirm(const QString& resultName, QPointer<QWidget>& result);

    std::unique_ptr<testsupport::WindowFixture> m_f;
};

void TestStatisticsWindows::init()
{
    m_f = std::make_unique<testsupport::WindowFixture>();
}

void TestStatisticsWindows::cleanup()
{
    for (const QString& name : { u"月销售总额统计"_s, u"年销售总额统计"_s })
        delete platform::topLevelWindow(name);
    QString problem;
    const bool done = m_f->finish(&problem);
    m_f.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestStatisticsWindows::twoUnitsWithSales()
{
    statisticstests::registerUnit(m_f->scratch(), u"仁和诊所"_s);
    statisticstests::registerUnit(m_f->scratch(), u"康泰药房"_s);
    statisticstests::registerUnit(m_f->scratch(), u"同济医院"_s);
    statisticstests::storeSales(m_f->scratch(), u"仁和诊所"_s,
                                { sale(u" 2003"_s, u" 5"_s, u"12.5"_s), sale(u" 2003"_s, u" 6"_s, u"100.00"_s),
                                  sale(u"2003"_s, u" 5"_s, u"1000.00"_s) });
    statisticstests::storeSales(m_f->scratch(), u"康泰药房"_s,
                                { sale(u" 2003"_s, u" 5"_s, u"0.25"_s), sale(u" 2004"_s, u" 5"_s, u"7.00"_s) });
}

statistics::PeriodChooserWindow* TestStatisticsWindows::chooser(const statistics::PeriodView& view)
{
    return new statistics::PeriodChooserWindow(m_f->scratch().db(), view, [](QWidget& window) {
        window.show();
        window.activateWindow();
    });
}

void TestStatisticsWindows::confirm(const QString& resultName, QPointer<QWidget>& result)
{
    m_f->click(u"Command1"_s);
    result = platform::topLevelWindow(resultName);
    QVERIFY(result);
    QPointer<QTimer> opening = result->findChild<QTimer*>(u"Timer1"_s);
    QTRY_VERIFY(result && result->isActiveWindow() && opening && !opening->isActive());
}

void TestStatisticsWindows::chooserLists()
{
    m_f->open(chooser(statistics::PeriodView::monthly()));
    auto* years = m_f->control<QComboBox>(u"Combo1"_s);
    auto* months = m_f->control<QComboBox>(u"Combo2"_s);
    QCOMPARE(years->count(), 5);
    QCOMPARE(years->itemText(0), u" 2000年"_s);
    QCOMPARE(years->itemText(4), u" 2004年"_s);
    QCOMPARE(years->currentText(), u" 2003年"_s);
    QCOMPARE(months->count(), 12);
    QCOMPARE(months->currentText(), u" 1月"_s);

    QTest::keyClicks(years, u"1999"_s);
    QTest::keyClicks(months, u"7"_s);
    QCOMPARE(years->currentText(), u" 2003年"_s);
    QCOMPARE(months->currentText(), u" 1月"_s);

    m_f->choose(u"Combo1"_s, u" 2002年"_s);
    m_f->choose(u"Combo2"_s, u" 12月"_s);
    QCOMPARE(qobject_cast<statistics::PeriodChooserWindow*>(m_f->window())->period().year, u" 2002"_s);
    QCOMPARE(qobject_cast<statistics::PeriodChooserWindow*>(m_f->window())->period().month, u" 12"_s);
    QCOMPARE(statistics::PeriodView::yearly().name, u"form6"_s);
}

void TestStatisticsWindows::monthlyTotals()
{
    twoUnitsWithSales();
    m_f->open(chooser(statistics::PeriodView::monthly()));
    m_f->choose(u"Combo2"_s, u" 5月"_s);
    QPointer<QWidget> result;
    confirm(u"月销售总额统计"_s, result);
    QVERIFY(result);
    QVERIFY(!m_f->window()->isVisible());

    QCOMPARE(labelText(result, u"Label7"_s), u" 2003年5月,我们的药品销售额为:"_s);
    QCOMPARE(labelText(result, u"Label11"_s), u"12.75"_s);
    QCOMPARE(labelText(result, u"Label1"_s), u" 2003年5月,与我们进行的交易额为:"_s);
    QCOMPARE(labelText(result, u"Label2"_s), u"0"_s);

    auto* units = result->findChild<QComboBox*>(u"Combo1"_s);
    QCOMPARE(units->count(), 3);
    units->setCurrentIndex(1);
    emit units->activated(1);
    QCOMPARE(labelText(result, u"Label1"_s), u" 2003年5月,康泰药房与我们进行的交易额为:"_s);
    QCOMPARE(labelText(result, u"Label2"_s), u".25"_s);
    units->setCurrentIndex(2);
    emit units->activated(2);
    QCOMPARE(labelText(result, u"Label2"_s), u"0.00"_s);

    // 返  回 brings the chooser back; the pair ends with the chooser's 返回.
    QTest::keyClick(result, Qt::Key_Escape);
    QTRY_VERIFY(!result);
    QTRY_VERIFY(m_f->window() && m_f->window()->isVisible());
    m_f->click(u"Command2"_s);
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged(),
             (QStringList { u"系统管理员进入月销售统计页面。"_s, u"系统管理员统计2003年5月的销售情况"_s,
                            u"系统管理员退出月销售统计页面。"_s }));
}

void TestStatisticsWindows::monthWithoutSales()
{
    twoUnitsWithSales();
    m_f->open(chooser(statistics::PeriodView::monthly()));
    m_f->choose(u"Combo1"_s, u" 2004年"_s);
    m_f->choose(u"Combo2"_s, u" 6月"_s);
    QPointer<QWidget> result;
    confirm(u"月销售总额统计"_s, result);
    QVERIFY(result);

    QCOMPARE(labelText(result, u"Label11"_s), u"0.00"_s);
    auto* units = result->findChild<QComboBox*>(u"Combo1"_s);
    units->setCurrentIndex(0);
    emit units->activated(0);
    QCOMPARE(labelText(result, u"Label1"_s), u" 2004年6月,仁和诊所与我们进行的交易额为:"_s);
    QCOMPARE(labelText(result, u"Label2"_s), u"0.00"_s);
}

void TestStatisticsWindows::yearlyTotals()
{
    twoUnitsWithSales();
    m_f->open(chooser(statistics::PeriodView::yearly()));
    QVERIFY(!m_f->control<QComboBox>(u"Combo2"_s));
    QPointer<QWidget> result;
    confirm(u"年销售总额统计"_s, result);
    QVERIFY(result);

    QCOMPARE(labelText(result, u"Label7"_s), u" 2003年,我们的药品销售额为:"_s);
    QCOMPARE(labelText(result, u"Label11"_s), u"112.75"_s);
    QCOMPARE(labelText(result, u"Label1"_s), u" 2003年,与我们进行的交易额为:"_s);
    auto* units = result->findChild<QComboBox*>(u"Combo1"_s);
    units->setCurrentIndex(0);
    emit units->activated(0);
    QCOMPARE(labelText(result, u"Label1"_s), u" 2003年,仁和诊所与我们进行的交易额为:"_s);
    QCOMPARE(labelText(result, u"Label2"_s), u"112.50"_s);
    QCOMPARE(m_f->logged().last(), u"系统管理员统计2003年的销售情况"_s);
}

void TestStatisticsWindows::failedTotalEndsThePair_data()
{
    QTest::addColumn<bool>("withUnit");

    QTest::newRow("empty register") << false;
    QTest::newRow("the register cannot be read") << true;
}

void TestStatisticsWindows::failedTotalEndsThePair()
{
    QFETCH(bool, withUnit);

    if (withUnit) {
        twoUnitsWithSales();
        QVERIFY(m_f->scratch().db().exec(u"ALTER TABLE 单位 RENAME TO 单位档案"_s));
    }
    m_f->open(chooser(statistics::PeriodView::monthly()));
    m_f->dialogs().expect(u"目前没有交易单位！"_s);
    m_f->click(u"Command1"_s);

    QTRY_VERIFY(!platform::topLevelWindow(u"月销售总额统计"_s));
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged(),
             (QStringList { u"系统管理员进入月销售统计页面。"_s, u"系统管理员统计2003年1月的销售情况"_s }));
}

void TestStatisticsWindows::totalNamesUnitsLeftOut_data()
{
    QTest::addColumn<bool>("monthly");
    QTest::addColumn<QString>("total");

    QTest::newRow("month") << true << u"12.75"_s;
    QTest::newRow("year") << false << u"112.75"_s;
}

void TestStatisticsWindows::totalNamesUnitsLeftOut()
{
    QFETCH(bool, monthly);
    QFETCH(QString, total);

    statisticstests::registerUnit(m_f->scratch(), u"无表单位"_s, false);
    twoUnitsWithSales();
    // a unit whose name is taken by a table that holds no sales
    statisticstests::registerUnit(m_f->scratch(), u"抬头"_s, false);
    m_f->open(chooser(monthly ? statistics::PeriodView::monthly() : statistics::PeriodView::yearly()));
    if (monthly)
        m_f->choose(u"Combo2"_s, u" 5月"_s);
    m_f->dialogs().expect(u"以下单位的交易表无法读取,未计入统计: 无表单位, 抬头"_s);
    QPointer<QWidget> result;
    confirm(monthly ? u"月销售总额统计"_s : u"年销售总额统计"_s, result);
    QVERIFY(result);

    QCOMPARE(labelText(result, u"Label11"_s), total);
    auto* units = result->findChild<QComboBox*>(u"Combo1"_s);
    QCOMPARE(units->count(), 5);
    units->setCurrentIndex(0);
    emit units->activated(0);
    QCOMPARE(labelText(result, u"Label2"_s), u"0.00"_s);
}

void TestStatisticsWindows::unitTotal()
{
    twoUnitsWithSales();
    statisticstests::registerUnit(m_f->scratch(), u"无表单位"_s, false);
    m_f->open(new statistics::UnitTotalWindow(m_f->scratch().db()));
    QCOMPARE(m_f->control<QComboBox>(u"Combo1"_s)->count(), 4);

    m_f->choose(u"Combo1"_s, u"康泰药房"_s);
    QCOMPARE(m_f->text(u"Label2"_s), u"7.25"_s);
    m_f->choose(u"Combo1"_s, u"同济医院"_s);
    QCOMPARE(m_f->text(u"Label2"_s), u".00"_s);
    m_f->choose(u"Combo1"_s, u"无表单位"_s);
    QCOMPARE(m_f->text(u"Label2"_s), u".00"_s);
    m_f->choose(u"Combo1"_s, u"仁和诊所"_s);
    QCOMPARE(m_f->text(u"Label2"_s), u"1112.50"_s);
    QCOMPARE(m_f->text(u"Label1"_s), u"到目前为止,此单位与我们进行的交易总金额为:"_s);

    m_f->pressEscape();
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged(),
             (QStringList { u"系统管理员进入药品销售统计系统。"_s, u"系统管理员退出药品销售统计系统。"_s }));
}

void TestStatisticsWindows::unitTotalWithoutUnits()
{
    m_f->dialogs().expect(u"目前没有交易单位！"_s);
    m_f->open(new statistics::UnitTotalWindow(m_f->scratch().db()));
    QTRY_VERIFY(!m_f->window());
    QVERIFY(m_f->logged().isEmpty());
}

void TestStatisticsWindows::counts_data()
{
    QTest::addColumn<bool>("medicines");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("logged");

    QTest::newRow("37 medicines") << true << 37 << u" 37"_s << QStringList { u"系统管理员查看药品总数。"_s };
    QTest::newRow("no medicine") << true << 0 << QString() << QStringList();
    QTest::newRow("2 units") << false << 2 << u" 2"_s << QStringList { u"系统管理员查看交易单位总数。"_s };
    QTest::newRow("no unit") << false << 0 << QString() << QStringList();
}

void TestStatisticsWindows::counts()
{
    QFETCH(bool, medicines);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(QStringList, logged);

    if (medicines) {
        statisticstests::storeMedicines(m_f->scratch(), stored);
    } else {
        // Units count whether they have sales or not, or even a table.
        for (int i = 0; i < stored; ++i)
            statisticstests::registerUnit(m_f->scratch(), u"单位%1"_s.arg(i), i == 0);
    }
    const auto view = medicines ? statistics::CountView::medicines() : statistics::CountView::units();
    m_f->open(new statistics::CountWindow(m_f->scratch().db(), view));
    QCOMPARE(m_f->window()->objectName(), medicines ? u"yptj1"_s : u"单位"_s);
    QCOMPARE(m_f->text(u"Label2"_s), shown);
    QCOMPARE(m_f->logged(), logged);

    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged(), logged);
}

void TestStatisticsWindows::logWording_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QStringList>("logged");

    QTest::newRow("Form1, super user") << u"Form1"_s << u"super"_s
                                       << QStringList { u"超级用户进入月销售统计系统页面。"_s,
                                                        u"超级用户统计2003年1月的销售情况"_s,
                                                        u"超级用户退出月销售统计系统页面。"_s };
    QTest::newRow("Form1, administrator")
        << u"Form1"_s << u"Orsvan"_s
        << QStringList { u"系统管理员进入月销售统计页面。"_s, u"系统管理员统计2003年1月的销售情况"_s,
                         u"系统管理员退出月销售统计页面。"_s };
    QTest::newRow("Form1, clerk") << u"Form1"_s << u"王丽"_s << QStringList();
    QTest::newRow("form6, super user") << u"form6"_s << u"super"_s
                                       << QStringList { u"超级用户进入年销售统计系统页面。"_s,
                                                        u"超级用户统计2003年的销售情况"_s,
                                                        u"超级用户退出年销售统计系统页面。"_s };
    QTest::newRow("form6, administrator")
        << u"form6"_s << u"Orsvan"_s
        << QStringList { u"系统管理员进入年销售统计页面。"_s, u"系统管理员统计2003年的销售情况"_s,
                         u"系统管理员退出年销售统计页面。"_s };
    QTest::newRow("form6, clerk") << u"form6"_s << u"王丽"_s << QStringList();
    QTest::newRow("Look1, super user") << u"Look1"_s << u"super"_s
                                       << QStringList { u"超级用户进入查看以往交易系统。"_s,
                                                        u"超级用户退出查看以往交易系统。"_s };
    QTest::newRow("Look1, clerk") << u"Look1"_s << u"王丽"_s
                                  << QStringList { u"制单员王丽进入查看以往交易系统。"_s,
                                                   u"制单员王丽退出查看以往交易系统。"_s };
    QTest::newRow("dwtj1, super user") << u"dwtj1"_s << u"super"_s
                                       << QStringList { u"超级用户进入药品销售统计系统。"_s,
                                                        u"超级用户退出药品销售统计系统。"_s };
    QTest::newRow("dwtj1, clerk") << u"dwtj1"_s << u"王丽"_s << QStringList();
    QTest::newRow("yptj1, super user") << u"yptj1"_s << u"super"_s << QStringList { u"超级用户查看药品总数。"_s };
    QTest::newRow("yptj1, clerk") << u"yptj1"_s << u"王丽"_s << QStringList { u"制单员王丽查看药品总数。"_s };
    QTest::newRow("单位, super user") << u"单位"_s << u"super"_s << QStringList { u"超级用户查看交易单位总数。"_s };
    QTest::newRow("单位, clerk") << u"单位"_s << u"王丽"_s << QStringList { u"制单员王丽查看交易单位总数。"_s };
}

void TestStatisticsWindows::logWording()
{
    QFETCH(QString, window);
    QFETCH(QString, user);
    QFETCH(QStringList, logged);

    m_f.reset();
    m_f = std::make_unique<testsupport::WindowFixture>(user);
    statisticstests::registerUnit(m_f->scratch(), u"仁和诊所"_s);
    statisticstests::storeMedicines(m_f->scratch(), 1);
    platform::Database& db = m_f->scratch().db();
    if (window == u"Form1" || window == u"form6") {
        const bool monthly = window == u"Form1";
        m_f->open(chooser(monthly ? statistics::PeriodView::monthly() : statistics::PeriodView::yearly()));
        QPointer<QWidget> result;
        confirm(monthly ? u"月销售总额统计"_s : u"年销售总额统计"_s, result);
        QVERIFY(result);
        QTest::keyClick(result, Qt::Key_Escape);
        QTRY_VERIFY(m_f->window() && m_f->window()->isVisible());
    } else if (window == u"Look1") {
        m_f->open(new statistics::HistoryWindow(db));
    } else if (window == u"dwtj1") {
        m_f->open(new statistics::UnitTotalWindow(db));
    } else {
        m_f->open(new statistics::CountWindow(
            db, window == u"yptj1" ? statistics::CountView::medicines() : statistics::CountView::units()));
    }
    m_f->pressEscape();
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged(), logged);
}

QTEST_MAIN(TestStatisticsWindows)
#include "test_statistics_windows.moc"
