#pragma once

#include "store/bound_recordset.h"

#include <QString>
#include <QStringList>

namespace platform {
class Database;
}

namespace users {

/** The box of the sign-in window that takes the focus after a refusal. */
enum class SignInBox { UserName, Password };

/** What the sign-in window does after an attempt. */
struct SignInOutcome
{
    enum class Kind {
        SignedIn,
        Refused, ///< show the message, then focus the box (clearing the password first when asked)
        EndProgram ///< show the message, then end the program without a log entry
    };

    Kind kind = Kind::Refused;
    QString message; ///< empty when signed in
    SignInBox focus = SignInBox::UserName;
    bool clearPassword = false;
};

/**
 * The check of a user name and password against the accounts. "super" is checked against the super user's password
 * and every other name against its record in table user, found without regard to Latin letter case. Wrong passwords
 * are counted for the life of the object, whatever names they were typed for; after three of them the next one ends
 * the program. A name that has no account is not counted.
 */
class SignIn final
{
public:
    /** Wrong passwords that are forgiven; the one after them ends the program. */
    static constexpr int forgivenFailures = 3;

    explicit SignIn(platform::Database& database);

    SignInOutcome attempt(const QString& userName, const QString& password);
    int failures() const { return m_failures; }

    /** The account names of table user in table order; empty when it cannot be read. */
    QStringList userNames();

private:
    store::BoundRecordset m_users;
    store::BoundRecordset m_superPassword;
    int m_failures = 0;
};

/**
 * The main-window entries a clerk may not use, by object name, in the order they are disabled: menu entries and
 * submenus, and the toolbar image Image7 among them.
 */
QStringList clerkDisabledEntries();

} // namespace users
