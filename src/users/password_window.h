#pragma once

#include "users/account_window.h"
#include "users/password_change.h"

class QLineEdit;

namespace platform {
class Database;
}

namespace users {

/**
 * `super`, `user` and `password`: one window whose form decides its name, captions, data source and checks. A third
 * wrong password writes the failure entry, closes the window and emits runEnded().
 */
class PasswordWindow final : public AccountWindow
{
    Q_OBJECT

public:
    PasswordWindow(platform::Database& database, PasswordForm form);

private:
    QWidget* box(AccountBox which) const override;
    void opening() override;
    void confirm();
    void cancel();

    store::BoundRecordset* m_records;
    PasswordChange m_change;
    QLineEdit* m_userName = nullptr;
    QLineEdit* m_oldPassword;
    QLineEdit* m_newPassword;
    QLineEdit* m_confirmation;
};

} // namespace users
