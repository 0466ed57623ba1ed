#pragma once

#include "records/record_window.h"
#include "store/counted_browser.h"

class QPushButton;

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace records {

/** What tells the unit register's two browse windows apart. */
struct UnitView
{
    QString name;
    QString heading;
    bool deleting = false; ///< deletes the unit shown, with its two tables
    QString enteredLog; ///< the log entry when the window opens, before the role's wording
    QString leftLog; ///< the log entry when the user leaves it

    /** `单位档案查询`: browsing only. */
    static UnitView browsing();
    /** `Form4`: browsing and deleting. */
    static UnitView deletion();
};

/** Steps through the unit register one unit at a time with counted browsing. */
class UnitBrowseWindow final : public RecordWindow
{
    Q_OBJECT

public:
    UnitBrowseWindow(platform::Database& database, const UnitView& view);

protected:
    void opened() override;
    void leaving() override;

private:
    QPushButton* addButton(const QString& name, const QString& caption);
    void showButtons();
    void removeUnit();

    UnitView m_view;
    platform::Database& m_database;
    store::BoundRecordset* m_units;
    store::CountedBrowser m_browser;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace records
