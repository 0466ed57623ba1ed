#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>

class QIODevice;

namespace maintenance {

/**
 * A backup file is the eight ASCII bytes "Quenvale" followed by the bytes of a database file, each stored as
 * (byte + 1) modulo 256.
 */
QByteArray backupMagic();

/**
 * The backup file name of a day: year, month and day in decimal without leading zeros, then ".bak". Different days
 * can share a name (21 January and 1 December of a year both give "<year>121.bak").
 */
QString backupFileName(const QDate& day);

/**
 * Told the number of bytes copied so far after each block; false stops the copy there. The empty function copies
 * to the end.
 */
using CopyWatch = std::function<bool(qint64 copied)>;

/**
 * Writes the magic and the encoded bytes of `database` to `backup`; false when reading or writing failed or the
 * watch stopped it.
 */
bool encodeBackup(QIODevice& database, QIODevice& backup, const CopyWatch& watch = {});

enum class DecodeOutcome {
    Decoded,
    NotABackup, ///< shorter than the magic or starting with other bytes; nothing was written
    Failed, ///< reading or writing failed part way
};

/**
 * Checks the magic of `backup` and writes the decoded bytes that follow it to `database`; a copy the watch stopped
 * is Failed.
 */
DecodeOutcome decodeBackup(QIODevice& backup, QIODevice& database, const CopyWatch& watch = {});

} // namespace maintenance
