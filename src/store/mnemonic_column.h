#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace store {

/** The catalogue's column of 助记码. A database made before there were codes lacks it until addMnemonicCodes(). */
QString mnemonicField();

/**
 * Gives every medicine of the catalogue its 助记码: adds the column when the database lacks it, and fills it from the
 * name (mnemonicOf()) wherever it holds no value at all. A code that is there, a clerk's correction or an empty one,
 * is never written over. One transaction (a savepoint within the caller's); true when nothing was missing or all of
 * it was added, false with the database as it was.
 */
bool addMnemonicCodes(platform::Database& db);

} // namespace store
