#pragma once

#include "users/account_reply.h"

#include <QString>

namespace store {
class BoundRecordset;
}

namespace users {

/**
 * The three password windows: the super user's own (`super`), any account's own with its old password (`user`), and
 * a clerk's set with the management password (`password`).
 */
enum class PasswordForm { SuperUser, Account, Clerk };

/** What was typed into a password window; userName stays empty in the super user's window. */
struct PasswordEntry
{
    QString userName;
    QString oldPassword; ///< the management password in the clerk window
    QString newPassword;
    QString confirmation;
};

/**
 * The work of one opening of a password window over the window's data source. Wrong old (or management) passwords
 * are counted from 1 at each opening; the third one of an opening ends the run. A name that is not found, a missing
 * administrator's record and a refused name do not count.
 */
class PasswordChange final
{
public:
    static constexpr int allowedFailures = 3;

    PasswordChange(PasswordForm form, store::BoundRecordset& records);

    /** The table the form's data source reads: `password` for the super user, `user` otherwise. */
    static QString table(PasswordForm form);

    /** The opening step: back to the first record and a fresh count; returns the opening log entry. */
    QString open();
    /** The log entry of leaving the window by its cancel button. */
    QString cancelEntry() const;
    /** The confirm button: the checks in their order, then the change. */
    AccountReply confirm(const PasswordEntry& entry);

private:
    AccountReply changeSuperUser(const PasswordEntry& entry);
    AccountReply changeAccount(const PasswordEntry& entry);
    AccountReply changeClerk(const PasswordEntry& entry);
    AccountReply wrongPassword(const QString& failureEntry);
    AccountReply storePassword(const QString& field, const QString& encoded, const QString& logEntry);

    PasswordForm m_form;
    store::BoundRecordset& m_records;
    int m_failures = 1;
};

} // namespace users
