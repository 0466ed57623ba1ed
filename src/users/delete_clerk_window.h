#pragma once

#include "users/account_window.h"

class QComboBox;

namespace platform {
class Database;
}

namespace users {

/** `制单员`: deletes a clerk picked from, or typed into, the list of clerk names. */
class DeleteClerkWindow final : public AccountWindow
{
    Q_OBJECT

public:
    explicit DeleteClerkWindow(platform::Database& database);

private:
    QWidget* box(AccountBox which) const override;
    void opening() override;
    void deleteChosen();
    void leave();

    store::BoundRecordset* m_accounts;
    QComboBox* m_names;
};

} // namespace users
