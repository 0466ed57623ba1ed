#pragma once

#include "statistics/sales_sums.h"
#include "statistics/statistics_window.h"

class QComboBox;
class QLabel;

namespace platform {
class Database;
}

namespace statistics {

/**
 * `月销售总额统计` (a period with a month) and `年销售总额统计` (a whole year): the period's sales over all units,
 * worked out once when the window opens, and the sales of a unit picked from the list. Writes no log entries.
 */
class PeriodTotalWindow final : public StatisticsWindow
{
    Q_OBJECT

public:
    PeriodTotalWindow(platform::Database& database, const SalePeriod& period);

signals:
    /** The user left the window; its chooser comes back. */
    void returned();
    /** The overall total could not be worked out; the window has closed itself after saying so. */
    void abandoned();

protected:
    void opened() override;
    void leaving() override;

private:
    void chooseUnit(const QString& unit);

    platform::Database& m_database;
    SalePeriod m_period;
    QComboBox* m_units;
    QLabel* m_overallCaption;
    QLabel* m_overall;
    QLabel* m_unitCaption;
    QLabel* m_unitTotal;
};

} // namespace statistics
