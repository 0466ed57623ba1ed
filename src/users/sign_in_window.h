#pragma once

#include "users/sign_in.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace platform {
class Database;
}

namespace users {

/**
 * `Form2`: the sign-in over the disabled main window. A successful sign-in emits signedIn() and closes the window;
 * 退出, the close box and the fourth wrong password end the program without a log entry. It deletes itself when it
 * closes.
 */
class SignInWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit SignInWindow(platform::Database& database);
    ~SignInWindow() override;

signals:
    /** The name exactly as typed. */
    void signedIn(const QString& userName);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fillUserNames();
    void attemptSignIn();

    SignIn m_signIn;
    QComboBox* m_userName;
    QLineEdit* m_password;
    QPushButton* m_signInButton;
    QPushButton* m_exitButton;
    QTimer* m_fillTimer;
    bool m_filled = false;
    bool m_signedIn = false;
};

} // namespace users
