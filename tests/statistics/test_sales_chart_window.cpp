#include "sales_fixture.h"
#include "statistics/sales_chart_window.h"
#include "support/window_fixture.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using statisticstests::Sale;

namespace {

Sale sale(const QString& year, const QString& month, const QString& medicine, const QString& amount)
{
    Sale s;
    s.year = year;
    s.month = month;
    s.medicine = medicine;
    s.amount = amount;
    return s;
}

QList<QBarSet*> barSets(QChartView* view)
{
    const QList<QAbstractSeries*> series = view ? view->chart()->series() : QList<QAbstractSeries*>();
    auto* bars = series.isEmpty() ? nullptr : qobject_cast<QAbstractBarSeries*>(series.first());
    return bars ? bars->barSets() : QList<QBarSet*>();
}

/** The bar names of a ranking from the first rank on; the chart draws them from the bottom up. */
QStringList rankNames(QChartView* view)
{
    QStringList names;
    const QList<QAbstractAxis*> axes = view ? view->chart()->axes(Qt::Vertical) : QList<QAbstractAxis*>();
    if (auto* categories = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes.first())) {
        for (const QString& category : categories->categories())
            names.prepend(category);
    }
    return names;
}

} // namespace

class TestSalesChartWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheYearAndItsRanks();
    void rankingFollowsTheChosenPeriod();
    void withoutUnits();

private:
    QChartView* view(const QString& name) const { return m_f->control<QChartView>(name); }

    std::unique_ptr<testsupport::WindowFixture> m_f;
};

void TestSalesChartWindow::init()
{
    m_f = std::make_unique<testsupport::WindowFixture>();
    statisticstests::registerUnit(m_f->scratch(), u"仁和诊所"_s);
    statisticstests::registerUnit(m_f->scratch(), u"康泰药房"_s);
    statisticstests::storeSales(m_f->scratch(), u"仁和诊所"_s,
                                { sale(u" 2004"_s, u" 5"_s, u"阿莫西林"_s, u"12.5"_s),
                                  sale(u" 2004"_s, u" 6"_s, u"板蓝根"_s, u"100.00"_s),
                                  sale(u" 2003"_s, u" 5"_s, u"阿莫西林"_s, u"3.00"_s) });
    statisticstests::storeSales(
        m_f->scratch(), u"康泰药房"_s,
        { sale(u" 2004"_s, u" 5"_s, u"板蓝根"_s, u"0.25"_s), sale(u" 2004"_s, u" 5"_s, u"阿莫西林"_s, u"0.1"_s) });
}

void TestSalesChartWindow::cleanup()
{
    QString problem;
    const bool done = m_f->finish(&problem);
    m_f.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestSalesChartWindow::showsTheYearAndItsRanks()
{
    m_f->open(new statistics::SalesChartWindow(m_f->scratch().db()));
    QCOMPARE(m_f->window()->objectName(), u"salesChart"_s);
    QCOMPARE(m_f->text(u"Combo1"_s), u" 2004年"_s);
    QCOMPARE(m_f->text(u"Combo2"_s), u"全年"_s);

    const QList<QBarSet*> months = barSets(view(u"monthChart"_s));
    QCOMPARE(months.size(), 2);
    QCOMPARE(months.at(0)->label(), u"2003年"_s);
    QCOMPARE(months.at(1)->label(), u"2004年"_s);
    QCOMPARE(months.at(0)->at(4), 3.0);
    QCOMPARE(months.at(1)->at(4), 12.5 + (0.25 + 0.1)); // added unit by unit
    QCOMPARE(months.at(1)->at(5), 100.0);
    QCOMPARE(months.at(1)->at(6), 0.0);

    emit months.at(1)->hovered(true, 4);
    QCOMPARE(m_f->text(u"Label1"_s), u"2004年5月: 12.85元"_s);

    QCOMPARE(rankNames(view(u"unitChart"_s)), (QStringList { u"仁和诊所  112.50"_s, u"康泰药房  .35"_s }));
    QCOMPARE(rankNames(view(u"medicineChart"_s)), (QStringList { u"板蓝根  100.25"_s, u"阿莫西林  12.60"_s }));
    const QList<QBarSet*> units = barSets(view(u"unitChart"_s));
    QCOMPARE(units.size(), 1);
    // the first rank is the last bar
    emit units.at(0)->hovered(true, 1);
    QCOMPARE(m_f->text(u"Label1"_s), u"仁和诊所: 112.50元"_s);

    m_f->pressEscape();
    QTRY_VERIFY(!m_f->isOpen());
    QCOMPARE(m_f->logged(), (QStringList { u"系统管理员进入销售图表页面。"_s, u"系统管理员退出销售图表页面。"_s }));
}

void TestSalesChartWindow::rankingFollowsTheChosenPeriod()
{
    m_f->open(new statistics::SalesChartWindow(m_f->scratch().db()));
    m_f->choose(u"Combo2"_s, u" 5月"_s);
    QCOMPARE(rankNames(view(u"unitChart"_s)), (QStringList { u"仁和诊所  12.50"_s, u"康泰药房  .35"_s }));
    QCOMPARE(rankNames(view(u"medicineChart"_s)), (QStringList { u"阿莫西林  12.60"_s, u"板蓝根  .25"_s }));

    m_f->choose(u"Combo1"_s, u" 2003年"_s);
    QCOMPARE(barSets(view(u"monthChart"_s)).at(0)->label(), u"2002年"_s);
    QCOMPARE(rankNames(view(u"unitChart"_s)), QStringList { u"仁和诊所  3.00"_s });
    m_f->choose(u"Combo2"_s, u" 6月"_s);
    QCOMPARE(rankNames(view(u"unitChart"_s)), QStringList());
}

void TestSalesChartWindow::withoutUnits()
{
    QVERIFY(m_f->scratch().db().exec(u"DELETE FROM \"单位\""_s));
    m_f->dialogs().expect(u"目前没有交易单位！"_s);
    m_f->open(new statistics::SalesChartWindow(m_f->scratch().db()));
    QTRY_VERIFY(!m_f->isOpen());
}

QTEST_MAIN(TestSalesChartWindow)
#include "test_sales_chart_window.moc"
