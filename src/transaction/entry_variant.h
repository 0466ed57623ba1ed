#pragma once

#include <QString>

namespace transaction {

/**
 * What tells the two entry windows apart: the stored entry `xdjy` records the sale against the customer unit, the
 * not-stored one only prints it. Everything else about them is one window.
 */
struct EntryVariant
{
    QString windowName;
    QString continueCaption;
    QString finishCaption;
    QString runningTotalLabel; ///< the object name of the running-total holder
    QString openingLog;
    QString cancellingLog;
    QString finishingLog; ///< %1 is the unit
    bool purchasePrices = true; ///< purchase prices beside the rows and the list, kept in the lines, the price rule
    bool appendsLines = true; ///< the finish writes the lines into the unit's transaction table
    bool storedFlag = true; ///< the slip variant the finish selects

    /** `xdjy`, the entry of a sale that is stored. */
    static EntryVariant stored();
    /** `xdjy1`, the entry of a sale that is printed but not stored: no purchase prices, no lines written. */
    static EntryVariant notStored();
};

} // namespace transaction
