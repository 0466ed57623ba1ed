#pragma once

#include <QWidget>
#include <functional>

class QLabel;

namespace review {

/**
 * `交易利润`: the total amount and the profit of the sale in progress, computed once shortly after the window is
 * shown. `详细资料` hands the per-line detail to a window of its own and closes this one.
 */
class ProfitWindow final : public QWidget
{
    Q_OBJECT

public:
    /**
     * openDetail shows the detail window (which deletes itself when closed); it is called after this window has
     * closed, so that whoever held the main window for this one can hold it for the detail.
     */
    explicit ProfitWindow(std::function<void(QWidget&)> openDetail, QWidget* parent = nullptr);

private:
    void summarize();
    void showDetail();

    std::function<void(QWidget&)> m_openDetail;
    QLabel* m_total = nullptr;
    QLabel* m_profit = nullptr;
};

} // namespace review
