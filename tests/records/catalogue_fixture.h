#pragma once

#include "records/medicine_records.h"
#include "records/unit_records.h"

#include <QList>
#include <QStringList>

namespace testsupport {
class ScratchDatabase;
}

namespace recordtests {

/** Stores medicines in the catalogue of the delivered database, in the order given. */
void storeMedicines(testsupport::ScratchDatabase& scratch, const QList<store::Medicine>& medicines);
/** The catalogue as stored, in stored order. */
QList<store::Medicine> storedMedicines(testsupport::ScratchDatabase& scratch);

/** Registers a unit and creates its two tables, as a successful add leaves them. */
void storeUnit(testsupport::ScratchDatabase& scratch, const records::Unit& unit);
QList<records::Unit> storedUnits(testsupport::ScratchDatabase& scratch);

/** Every table of the database, sorted by name. */
QStringList tableNames(testsupport::ScratchDatabase& scratch);

/** Makes the database refuse every write of that kind ("INSERT", "UPDATE", "DELETE") to a table. */
void refuseWrites(testsupport::ScratchDatabase& scratch, const QString& table, const QString& kind);

} // namespace recordtests
