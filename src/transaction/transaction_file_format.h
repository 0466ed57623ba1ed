#pragma once

#include "transaction/working_set.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

namespace transaction {

/** What a transaction file holds: the unit it belongs to and the eleven fields of lines 1 to 1000. */
struct TransactionFileContent
{
    QString unit;
    QList<Line> lines; ///< slot 1 at index 0; always lineCapacity entries
};

/**
 * The bytes of a transaction file: one field a line, each quoted and ended by CR LF, in code page 936 (the euro sign
 * is the single byte 0x80); a character code page 936 lacks, and a private-use character it gives to a sequence that
 * GB18030 reads otherwise, takes GB18030's bytes, so every text reads back as written. The unit, the eleven fields of
 * each slot, a closing record of eleven empty fields. A quote inside a text is doubled so that it reads back
 * unchanged; a line break becomes a space. Missing lines are written empty.
 */
QByteArray encodeTransactionFile(const TransactionFileContent& content);

/**
 * Reads the unit and the 1000 lines back; anything after them is ignored. Each field: leading spaces skipped; a
 * quoted field runs to the closing quote (a doubled quote inside is one quote) and the rest of its line up to a
 * comma or the line end is dropped; an unquoted field runs to the next comma or line end. Bytes are read as GB18030
 * reads them, except the single bytes 0x80 and 0xFF that only code page 936 has (0x80 and A2 E3 are both the euro
 * sign). Nothing when the bytes are not such a file: fewer fields, a quote not closed on its line, bytes that are
 * neither code page, or more than the largest file the program accepts.
 */
std::optional<TransactionFileContent> decodeTransactionFile(QByteArrayView bytes);

/** Above this many bytes a file is not a transaction file; a full sale of long texts stays far below it. */
inline constexpr qsizetype largestTransactionFile = 64 * 1024 * 1024;

} // namespace transaction
