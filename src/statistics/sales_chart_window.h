#pragma once

#include "statistics/chart_figures.h"
#include "statistics/statistics_window.h"

class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QLabel;

namespace platform {
class Database;
}

namespace statistics {

/**
 * `salesChart`: the sales of a chosen year as charts. The twelve monthly totals beside those of the year before, and
 * the units and the medicines with the largest sales in a chosen month or the whole year, ranked, each bar named with
 * its amount. Pointing at a bar shows its figure. Every figure is the one the monthly and yearly statistics show.
 */
class SalesChartWindow final : public StatisticsWindow
{
    Q_OBJECT

public:
    explicit SalesChartWindow(platform::Database& database);

    /** How many units and medicines a ranking shows. */
    static constexpr int rankedCount = 20;

protected:
    void opened() override;
    void leaving() override;

private:
    void showYear();
    void showRankings();
    SalePeriod rankedPeriod() const;
    QString yearText() const;
    /** Shows the figure of a bar while it is pointed at. */
    void connectHover(QBarSet* set, const QStringList& names, const QList<double>& amounts);

    platform::Database& m_database;
    QStringList m_units;
    QComboBox* m_years;
    QComboBox* m_months;
    QChartView* m_monthView;
    QChartView* m_unitView;
    QChartView* m_medicineView;
    QLabel* m_figure;
};

} // namespace statistics
