#pragma once

#include <QString>
#include <QStringList>

namespace store {
class BoundRecordset;
}

namespace users {

/**
 * Lookups in table `user`. The administrator's record is reached only under its exact name "Orsvan": a clerk lookup
 * never lands on it, so no clerk operation can overwrite or delete the administrator's account.
 */

/** Makes the first record whose username is exactly "Orsvan" current; false when there is none. */
bool findAdministrator(store::BoundRecordset& accounts);

/**
 * Makes the first record whose username equals the name, Latin letter case ignored, current, passing over the
 * administrator's record; false when there is none (always for the empty name).
 */
bool findClerk(store::BoundRecordset& accounts, const QString& name);

/** The username of every record in table order, the administrator's left out. */
QStringList clerkNames(store::BoundRecordset& accounts);

} // namespace users
