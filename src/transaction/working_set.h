#pragma once

#include <QString>
#include <array>

namespace transaction {

/** One line of a sale: texts as the entry window showed them; an empty name means the line is not in use. */
struct Line
{
    QString purchasePrice;
    QString name;
    QString maker;
    QString quantity;
    QString unitPrice;
    QString amount;
    QString spec;
    QString unit;
    QString batchNo;
    QString expiry;
    QString drugType;
};

inline constexpr int lineCapacity = 1000;

/** The one sale the program holds in memory, with the values derived from its lines when they were last computed. */
struct WorkingSet
{
    /** Lines 1 to 1000; line 0 is never used, so line numbers read as they are printed. */
    std::array<Line, lineCapacity + 1> TransactionLines;
    qint16 NextLine = 1;
    qint16 TypedLineCount = 0;
    qint16 SlipPageCount = 0;
    double TotalAmount = 0.0;
    QString TotalInWords;
    QString SerialText;
    QString CustomerUnit;
    /** true: the sale was stored and prints on the stored layout; false: the not-stored layout. */
    bool StoredFlag = false;

    /** Empties fields 1 to 10 of every line and restarts at line 1; purchase prices and derived values stay. */
    void ClearLines();
    /** A sale is there when line 1 has a name. */
    bool hasContent() const { return !TransactionLines[1].name.isEmpty(); }
};

/** The program's working set. */
WorkingSet& workingSet();

} // namespace transaction
