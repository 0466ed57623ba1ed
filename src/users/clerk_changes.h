#pragma once

#include "users/account_reply.h"

#include <QString>
#include <functional>

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace users {

/** What was typed into the window that adds a clerk. */
struct NewClerk
{
    QString name;
    QString password;
    QString confirmation;
};

QString addClerkOpeningEntry();
QString addClerkCancelEntry();

/**
 * Adds a clerk: an account record in `user` with the password in the clerk encoding, and the clerk's log table named
 * after the clerk, both or neither. A log table a deleted clerk of that name left behind is taken over with its
 * entries. A name already in `user` in any letter case, a name that cannot be a table name, and a name taken by any
 * other table (a unit's, a fixed table, the super user's or the administrator's log) are refused with nothing stored.
 * Lookup indexes that a database made by an earlier version keeps under names a clerk may take are renamed first.
 */
AccountReply addClerk(platform::Database& database, store::BoundRecordset& accounts, const NewClerk& clerk);

QString deleteClerkOpeningEntry();
QString deleteClerkReturnEntry();

/** Asks an OK/Cancel question with a title; true for OK. */
using ConfirmQuestion = std::function<bool(const QString& text, const QString& title)>;

/**
 * Deletes the clerk account of that name (Latin letter case ignored) after asking; the clerk's log table stays. A
 * name that matches no clerk (the empty name and the administrator's included) deletes nothing and asks nothing.
 * On success the reply has the window refill its list, which writes its opening entry again before the deletion's.
 */
AccountReply deleteClerk(store::BoundRecordset& accounts, const QString& name, const ConfirmQuestion& confirm);

} // namespace users
