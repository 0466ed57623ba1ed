#pragma once

#include <QString>

namespace users {

/** The boxes of the account windows by what they take; each window maps them to its own controls. */
enum class AccountBox { None, UserName, OldPassword, NewPassword, Confirmation };

/**
 * What an account window does after one of its operations, in this order: run its opening step again when refill is
 * set, show the message (when there is one), clear one box, focus one box, add the log entry (when there is one), and
 * then stay open, close, or close and end the run.
 */
struct AccountReply
{
    enum class Then { StayOpen, Close, EndRun };

    QString message {};
    QString title {};
    AccountBox focus = AccountBox::None;
    AccountBox cleared = AccountBox::None;
    QString logEntry {};
    Then then = Then::StayOpen;
    bool refill = false;
};

/** The reply to a write the database refused; the window stays open and nothing has changed. */
AccountReply databaseErrorReply();

} // namespace users
