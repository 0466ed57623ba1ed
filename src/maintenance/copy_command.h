#pragma once

#include <QString>

class QTextStream;

namespace maintenance {

/**
 * `quenvale --copy-database FROM TO`: copies every table of one database (a useall.mdb path or a postgresql:// URI)
 * into an empty other one in one transaction, checks it and prints one line per table: its records on both sides
 * and, for a table with amounts, their sums. A source that is not a sound database of this system and a target that
 * holds any table are refused. Needs no display. The exit code: 0 when copied and checked, 1 otherwise.
 */
int copyDatabaseCommand(const QString& from, const QString& to, QTextStream& out, QTextStream& err);

} // namespace maintenance
