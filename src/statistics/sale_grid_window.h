#pragma once

#include "platform/table_window.h"
#include "statistics/sale_grid.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

namespace platform {
class Database;
}

namespace statistics {

/**
 * `saleGrid` (交易明细): the stored sale lines of one unit or of all, within a date range or at any date, whose
 * medicine name holds a text; sorted by any column, with the count and total of the lines under the table. It only
 * reads (besides giving older transaction tables their sale-date index, as the statistics do).
 */
class SaleGridWindow final : public platform::TableWindow
{
    Q_OBJECT

public:
    explicit SaleGridWindow(platform::Database& database);

protected:
    void opened() override;
    void leaving() override;
    QString exportName() const override;
    platform::TableHeading printHeading() const override;

private:
    void query();
    QString filterText() const;

    platform::Database& m_database;
    std::shared_ptr<SaleGrid> m_grid;
    SaleGridFilter m_shownFilter;
    QComboBox* m_units;
    QCheckBox* m_dateLimit;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QLineEdit* m_medicine;
};

} // namespace statistics
