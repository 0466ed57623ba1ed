#pragma once

#include <QString>
#include <QWidget>
#include <memory>

namespace review {

class ParallelLists;

/** The totals row below the detail, as the summary showed them. */
struct ProfitTotals
{
    QString total;
    QString cost;
    QString profit;
};

/**
 * `详细信息`: the purchase price, cost and profit of every line in use of the sale in progress, in ten lists kept in
 * step, over a totals row that cannot take the focus. Read-only; closing it writes no log entry.
 */
class ProfitDetailWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit ProfitDetailWindow(const ProfitTotals& totals, QWidget* parent = nullptr);
    ~ProfitDetailWindow() override;

private:
    void fillLists();

    /** Goes before the lists it keeps in step, so that none of their last signals reaches it. */
    std::unique_ptr<ParallelLists> m_lists;
};

} // namespace review
