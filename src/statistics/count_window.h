#pragma once

#include "statistics/statistics_window.h"

class QLabel;

namespace platform {
class Database;
}

namespace statistics {

/** What tells the two count windows apart. */
struct CountView
{
    QString name;
    QString heading;
    QString caption;
    QString table;
    QString shownLog; ///< after the role's wording

    /** `yptj1`: the medicines of the catalogue. */
    static CountView medicines();
    /** `单位`: the units of the register, with or without sales. */
    static CountView units();
};

/** Shows how many records a register holds, with a leading space (" 37"); an empty one shows nothing. */
class CountWindow final : public StatisticsWindow
{
    Q_OBJECT

public:
    CountWindow(platform::Database& database, const CountView& view);

protected:
    void opened() override;

private:
    platform::Database& m_database;
    CountView m_view;
    QLabel* m_count;
};

} // namespace statistics
