#pragma once

#include "statistics/sale_history.h"
#include "statistics/statistics_window.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace platform {
class Database;
}

namespace statistics {

/**
 * `Look1`: the past sales of a unit picked from the register, one line at a time, with counted browsing in stored
 * order or, in find mode, among the lines of a medicine name. It only reads.
 */
class HistoryWindow final : public StatisticsWindow
{
    Q_OBJECT

public:
    explicit HistoryWindow(platform::Database& database);

protected:
    void opened() override;
    void leaving() override;

private:
    QLineEdit* addBox(const QString& name, const QString& label, int top);
    void chooseUnit(const QString& unit);
    void showLine();
    void browseStep(SaleHistory::Step step);
    void findMove(bool done);
    void search();
    void setFindMode(bool on);

    platform::Database& m_database;
    SaleHistory m_history;
    QComboBox* m_units;
    QList<QLineEdit*> m_boxes;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QList<QPushButton*> m_browseSet;
    QList<QPushButton*> m_findSet;
};

} // namespace statistics
