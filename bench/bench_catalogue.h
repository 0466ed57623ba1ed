#pragma once

#include <QString>
#include <QTextStream>

namespace platform {
class Database;
}

namespace bench {

constexpr int medicineCount = 100'000;

/** Most names occur three times, as branded variants of one medicine do. */
QString medicineName(int i);
/** Codes are unique. */
QString medicineCode(int i);

/** Fills table 药品 with medicineCount medicines in one transaction (a savepoint inside another). */
bool fillCatalogue(platform::Database& db);

QTextStream& out();

} // namespace bench
