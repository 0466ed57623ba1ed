#pragma once

#include "support/scratch_database.h"

#include <QString>
#include <QStringList>

namespace statisticstests {

/** One stored sale line; the date texts as they are stored, NumText form unless a case says otherwise. */
struct Sale
{
    QString year = QStringLiteral(" 2003");
    QString month = QStringLiteral(" 5");
    QString day = QStringLiteral(" 7");
    QString medicine = QStringLiteral("阿莫西林");
    QString amount = QStringLiteral("12.50");
    QString maker = QStringLiteral("华北制药");
    QString quantity = QStringLiteral("5");
    QString unitPrice = QStringLiteral("2.50");
    QString unit = QStringLiteral("盒");
    QString spec = QStringLiteral("0.25g*24");
};

/** Registers a unit in table 单位; with a table, also creates its transaction table as adding a unit does. */
void registerUnit(testsupport::ScratchDatabase& scratch, const QString& name, bool withTable = true);
/** Appends sale lines to a unit's transaction table, in the order given. */
void storeSales(testsupport::ScratchDatabase& scratch, const QString& unit, const QList<Sale>& sales);
/** Fills the catalogue with that many medicines. */
void storeMedicines(testsupport::ScratchDatabase& scratch, int count);

} // namespace statisticstests
