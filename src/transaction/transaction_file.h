#pragma once

#include "transaction/page_storing.h"
#include "transaction/transaction_file_format.h"

#include <QString>

namespace platform {
class Database;
}

namespace transaction {

/** The file name of a unit's transaction file: the name without its last character when it holds a "*", + ".dat". */
QString TransactionFileName(const QString& unit);

enum class SaveOutcome {
    Saved,
    NoContent, ///< the main window's save with no customer unit
    NotAFileName, ///< the unit's name cannot name a file; nothing was written
    WriteFailed, ///< the file could not be written; an earlier file of the unit is left as it was
};

/** The message a save outcome is reported with; the empty text for a save that worked. */
QString saveMessage(SaveOutcome outcome);

/** The main window's save: the customer unit and every slot as the working set holds it, free slots included. */
SaveOutcome SaveTransactionFile(const WorkingSet& set, const QString& folder);

/**
 * The slots an entry window saves: the lines in use where they are; the free slots, from the first on, take the
 * page's filled rows (row 1 up to the first row without a name) while they last; the other slots are empty.
 */
QList<Line> slotsWithPage(const WorkingSet& set, const PageRows& rows);

/** An entry window's save: the unit shown in its unit box, with slotsWithPage(). The working set is not changed. */
SaveOutcome SaveTransactionFile(const WorkingSet& set, const QString& unit, const PageRows& rows,
                                const QString& folder);

/** The file's content; nothing when the file is missing, unreadable or damaged. */
std::optional<TransactionFileContent> readTransactionFile(const QString& path);

inline constexpr char16_t entryReadFailed[] = u"存盘文件不存在或文件损坏,无法读取!";
inline constexpr char16_t mainReadFailed[] = u"存盘文件损坏,无法读取!";

/**
 * An entry window's read of the unit's file into lines 1 to 1000, the customer unit and NextLine; the other derived
 * values and the serial stay. false after a failure, which leaves the lines cleared.
 */
bool ReadTransactionFile(WorkingSet& set, const QString& unit, const QString& folder);

/**
 * The main window's read of a chosen file: the lines, NextLine, the counts, the total and its words, and a new
 * serial number, since the file carries none. false after a failure (the serial could not be taken included),
 * which leaves the lines cleared and takes no serial. The slip variant stays the one of the last finish.
 */
bool ReadTransactionFile(platform::Database& database, WorkingSet& set, const QString& path);

} // namespace transaction
