#include "statistics/sales_chart_window.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "statistics/manager_log.h"
#include "statistics/money_text.h"
#include "statistics/period_choice.h"
#include "statistics/registers.h"
#include "store/numbers.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QToolTip>
#include <QValueAxis>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

const QString wholeYear = u"全年"_s;

/** " 2003" as the charts name it: "2003年". */
QString yearName(const QString& year)
{
    return year.trimmed() + u"年"_s;
}

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

QValueAxis* amountAxis(double largest)
{
    auto* axis = new QValueAxis;
    axis->setLabelFormat(u"%.0f"_s);
    axis->setRange(0.0, largest > 0.0 ? largest * 1.05 : 1.0);
    axis->applyNiceNumbers();
    return axis;
}

QList<double> listOf(const std::array<double, 12>& months)
{
    return QList<double>(months.cbegin(), months.cend());
}

} // namespace

SalesChartWindow::SalesChartWindow(platform::Database& database)
    : StatisticsWindow(u"salesChart"_s, u"销售图表"_s, 17400, 12000), m_database(database)
{
    addHeading(u"销售图表"_s, 6300, 120, 4800, 480);
    addLabel({}, u"年份:"_s, 240, 690, 720, 300);
    m_years = addChoiceBox(u"Combo1"_s, 960, 660, 1440, 330);
    addLabel({}, u"排名:"_s, 2640, 690, 720, 300);
    m_months = addChoiceBox(u"Combo2"_s, 3360, 660, 1200, 330);
    m_figure = addLabel(u"Label1"_s, {}, 4800, 690, 9000, 300);
    addReturnButton(u"Command1"_s, u"返  回"_s, 15900, 600, 1200, 420);

    const auto view = [this](const QString& name, int left, int top, int width, int height) {
        auto* chartView = new QChartView(newChart({}), this);
        chartView->setObjectName(name);
        chartView->setRenderHint(QPainter::Antialiasing);
        chartView->setGeometry(QRect(left, top, width, height));
        return chartView;
    };
    const int width = this->width();
    const int top = 70;
    const int monthHeight = (height() - top) * 2 / 5;
    const int rankingTop = top + monthHeight;
    const int rankingHeight = height() - rankingTop;
    m_monthView = view(u"monthChart"_s, 0, top, width, monthHeight);
    m_unitView = view(u"unitChart"_s, 0, rankingTop, width / 2, rankingHeight);
    m_medicineView = view(u"medicineChart"_s, width / 2, rankingTop, width - width / 2, rankingHeight);

    m_months->addItem(wholeYear);
    m_months->addItems(monthItems());
    connect(m_years, &QComboBox::activated, this, [this] {
        showYear();
        showRankings();
    });
    connect(m_months, &QComboBox::activated, this, &SalesChartWindow::showRankings);
}

void SalesChartWindow::opened()
{
    logForManagers(u"进入销售图表页面。"_s, u"进入销售图表页面。"_s);
    m_units = unitNames(m_database).value_or(QStringList());
    if (m_units.isEmpty()) {
        platform::inform(u"目前没有交易单位！"_s);
        finish();
        return;
    }
    m_years->addItems(yearItems(platform::clock().today().year()));
    m_years->setCurrentIndex(m_years->count() - 1);
    m_months->setCurrentIndex(0);
    showYear();
    showRankings();
}

void SalesChartWindow::leaving()
{
    logForManagers(u"退出销售图表页面。"_s, u"退出销售图表页面。"_s);
}

QString SalesChartWindow::yearText() const
{
    return chosenPeriod(PeriodKind::Year, m_years->currentText(), {}).year;
}

SalePeriod SalesChartWindow::rankedPeriod() const
{
    if (m_months->currentText() == wholeYear)
        return { yearText(), {} };
    return chosenPeriod(PeriodKind::Month, m_years->currentText(), m_months->currentText());
}

void SalesChartWindow::showYear()
{
    const QString year = yearText();
    const QString before = previousYear(year);
    const auto current = monthlyTotals(m_database, m_units, year);
    const auto previous = monthlyTotals(m_database, m_units, before);
    QChart* chart = newChart(yearName(year) + u"各月销售额(元)"_s);
    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << u"%1月"_s.arg(m);
    auto* series = new QBarSeries;
    double largest = 0.0;
    for (const auto& [figures, name] :
         { std::pair { previous, yearName(before) }, std::pair { current, yearName(year) } }) {
        auto* set = new QBarSet(name);
        const QList<double> amounts = figures ? listOf(figures->months) : QList<double>(12, 0.0);
        set->append(amounts);
        for (double amount : amounts)
            largest = std::max(largest, amount);
        QStringList names;
        for (const QString& month : months)
            names << name + month;
        connectHover(set, names, amounts);
        series->append(set);
    }
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(months);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QValueAxis* amounts = amountAxis(largest);
    chart->addAxis(amounts, Qt::AlignLeft);
    series->attachAxis(amounts);
    chart->legend()->setAlignment(Qt::AlignRight);
    QChart* old = m_monthView->chart();
    m_monthView->setChart(chart);
    delete old;
}

void SalesChartWindow::showRankings()
{
    const SalePeriod period = rankedPeriod();
    const QString periodName = yearName(period.year)
        + (period.month.isEmpty() ? QString() : u"%1月"_s.arg(int(store::NumValue(period.month))));
    const auto units = unitRanking(m_database, m_units, period, rankedCount);
    const auto medicines = medicineRanking(m_database, m_units, period, rankedCount);
    const auto show = [this](QChartView* view, const QString& title, const std::optional<Ranking>& ranking) {
        QChart* chart = newChart(title);
        chart->legend()->hide();
        auto* series = new QHorizontalBarSeries;
        auto* set = new QBarSet(title);
        QStringList categories;
        QStringList names;
        QList<double> amounts;
        double largest = 0.0;
        // The chart draws its first category at the bottom: the first rank is added last.
        const QList<RankedAmount> ranks = ranking ? ranking->ranks : QList<RankedAmount>();
        for (auto it = ranks.crbegin(); it != ranks.crend(); ++it) {
            const QString amount = moneyTextOrZero(it->amount);
            categories << u"%1  %2"_s.arg(it->name, amount);
            names << it->name;
            amounts << it->amount;
            largest = std::max(largest, it->amount);
        }
        set->append(amounts);
        connectHover(set, names, amounts);
        series->append(set);
        series->setBarWidth(0.7);
        chart->addSeries(series);
        auto* axis = new QBarCategoryAxis;
        axis->append(categories);
        chart->addAxis(axis, Qt::AlignLeft);
        series->attachAxis(axis);
        QValueAxis* values = amountAxis(largest);
        chart->addAxis(values, Qt::AlignBottom);
        series->attachAxis(values);
        QChart* old = view->chart();
        view->setChart(chart);
        delete old;
    };
    const QString total = units ? u"(合计 %1元)"_s.arg(moneyTextOrZero(units->total)) : QString();
    show(m_unitView, periodName + u"销售额最大的单位"_s + total, units);
    show(m_medicineView, periodName + u"销售额最大的药品"_s, medicines);

    QStringList skipped = units ? units->skipped : QStringList();
    if (const QString message = skippedUnitsMessage(skipped); !message.isEmpty())
        m_figure->setText(message);
}

void SalesChartWindow::connectHover(QBarSet* set, const QStringList& names, const QList<double>& amounts)
{
    connect(set, &QBarSet::hovered, this, [this, names, amounts](bool entered, int index) {
        if (!entered || index < 0 || index >= amounts.size()) {
            QToolTip::hideText();
            return;
        }
        const QString text = u"%1: %2元"_s.arg(names.at(index), moneyTextOrZero(amounts.at(index)));
        m_figure->setText(text);
        QToolTip::showText(QCursor::pos(), text, this);
    });
}

} // namespace statistics
