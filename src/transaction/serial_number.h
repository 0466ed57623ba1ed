#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace transaction {

/**
 * The serial as printed: "XH", the serial zero-padded to eleven digits, "Q" (14 characters) for a serial text of 1
 * to 11 characters; an empty text or one longer than 11 characters unchanged.
 */
QString FormatSerial(const QString& serial);

enum class SerialOutcome {
    Taken,
    Missing, ///< table 流水号 or its first record is not there; nothing was written
    WriteFailed, ///< nothing was written
};

/**
 * Takes the next serial number: formats the first record's 流水号 into serialText and writes back the number one
 * higher (AdvanceSerial). The read and the write are one database write, a savepoint inside a caller's transaction,
 * so a serial is never handed out twice nor skipped by a failure.
 */
SerialOutcome takeSerialNumber(platform::Database& database, QString& serialText);

/**
 * Writes the number at the start of the serial that was taken, plus one, into the first record of 流水号, without
 * leading zeros or spaces: an empty or non-numeric serial writes 1. false when the record cannot be written.
 */
bool AdvanceSerial(platform::Database& database, const QString& takenSerial);

} // namespace transaction
