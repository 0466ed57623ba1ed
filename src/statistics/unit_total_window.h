#pragma once

#include "statistics/statistics_window.h"

class QComboBox;
class QLabel;

namespace platform {
class Database;
}

namespace statistics {

/** `dwtj1`: the sales of a unit picked from the register over all dates. */
class UnitTotalWindow final : public StatisticsWindow
{
    Q_OBJECT

public:
    explicit UnitTotalWindow(platform::Database& database);

protected:
    void opened() override;
    void leaving() override;

private:
    void chooseUnit(const QString& unit);

    platform::Database& m_database;
    QComboBox* m_units;
    QLabel* m_total;
};

} // namespace statistics
