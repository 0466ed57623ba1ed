#pragma once

#include "users/account_window.h"

class QLineEdit;

namespace platform {
class Database;
}

namespace users {

/** `Form5`: adds a clerk with an initial password; Enter moves from box to box and on to the confirming button. */
class AddClerkWindow final : public AccountWindow
{
    Q_OBJECT

public:
    explicit AddClerkWindow(platform::Database& database);

private:
    QWidget* box(AccountBox which) const override;
    void opening() override;
    void confirm();
    void cancel();

    platform::Database& m_database;
    store::BoundRecordset* m_accounts;
    QLineEdit* m_name;
    QLineEdit* m_password;
    QLineEdit* m_confirmation;
};

} // namespace users
