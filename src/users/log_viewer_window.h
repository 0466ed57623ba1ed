#pragma once

#include "platform/table_window.h"
#include "users/log_search.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

namespace platform {
class Database;
}

namespace users {

/**
 * `logViewer` (操作日志): the entries of every user's log table and those of the running session not saved yet, newest
 * first, filtered by user, date range and part of the text. It only reads.
 */
class LogViewerWindow final : public platform::TableWindow
{
    Q_OBJECT

public:
    explicit LogViewerWindow(platform::Database& database);

protected:
    void opened() override;
    void leaving() override;
    QString exportName() const override;
    platform::TableHeading printHeading() const override;

private:
    void query();

    platform::Database& m_database;
    std::shared_ptr<LogSearch> m_search;
    LogFilter m_shownFilter;
    QComboBox* m_users;
    QCheckBox* m_dateLimit;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QLineEdit* m_text;
};

} // namespace users
