#pragma once

#include "statistics/period_choice.h"
#include "statistics/statistics_window.h"

#include <functional>

class QComboBox;

namespace platform {
class Database;
}

namespace statistics {

/** What tells the monthly and the yearly chooser apart. */
struct PeriodView
{
    PeriodKind kind = PeriodKind::Month;
    QString name;
    QString subheading;
    QString enteredSuperUser; ///< log texts after the role's wording; clerks have none
    QString enteredAdministrator;
    QString leftSuperUser;
    QString leftAdministrator;

    /** `Form1`: a year and a month. */
    static PeriodView monthly();
    /** `form6`: a year. */
    static PeriodView yearly();
};

/**
 * `Form1` and `form6`: pick a period and open its result window. The chooser hides while its result window is open
 * and comes back when the user leaves that window; its own 返回 ends the pair.
 */
class PeriodChooserWindow final : public StatisticsWindow
{
    Q_OBJECT

public:
    /**
     * Shows a window of the pair (the chooser again, or its result window) and holds the main window while it is
     * open: the pair keeps the main window disabled from the chooser's opening to its close.
     */
    using Opener = std::function<void(QWidget&)>;

    PeriodChooserWindow(platform::Database& database, const PeriodView& view, Opener open);

    /** The period the boxes show now. */
    SalePeriod period() const;

protected:
    void opened() override;
    void leaving() override;

private:
    void confirm();

    platform::Database& m_database;
    PeriodView m_view;
    Opener m_open;
    QComboBox* m_years;
    QComboBox* m_months = nullptr;
};

} // namespace statistics
