#pragma once

#include "store/medicine.h"

#include <QString>
#include <QStringList>

namespace store {
class BoundRecordset;
}

namespace records {

/** The catalogue's table. */
QString catalogueTable();

/** The most characters a typed 助记码 takes: one for each character of the longest name. */
inline constexpr int mnemonicLongest = 40;

/** The medicine the source shows: its pending record while one is pending, else its current one. */
store::Medicine shownMedicine(const store::BoundRecordset& catalogue);

/** true for exactly one of 片剂, 针剂, 器械 and 其它; nothing is trimmed, so "片剂 " is refused. */
bool isMedicineType(const QString& text);

/**
 * true for a catalogue price (单价, 进价) that a sale can price a line with: empty, or a number as the sale reads
 * one, strictly: ASCII blanks around it, an optional sign, digits with at most one point, an optional exponent
 * ("12.50", " 0.6 ", ".5"). "0.6元", "1,000", full-width digits and a lone "." are refused.
 */
bool isPriceText(const QString& text);

/** How a medicine is listed among the medicines sharing its name: "产地: … 单位: … 规格: … 代号: …". */
QString candidateLine(const store::Medicine& medicine);

enum class AddOutcome { WrongType, WrongPrice, WrongPurchasePrice, Added, Failed };

/**
 * Fills the catalogue's pending new record with the medicine and appends it. A wrong type or a price that is no
 * number (checked in that order) keeps the record pending so that it can be corrected; a record the database refuses is
 * dropped. Neither a name nor a code already in the catalogue is refused.
 */
AddOutcome addPendingMedicine(store::BoundRecordset& catalogue, const store::Medicine& medicine);

/**
 * The modify window's hold on one medicine: a name is looked up, one of the medicines carrying it is chosen, and the
 * changes are written to exactly that medicine. Nothing is written unless the last lookup found a medicine.
 */
class MedicineEditor final
{
public:
    enum class SaveOutcome { WrongType, WrongPrice, WrongPurchasePrice, NothingLookedUp, Saved, Failed };

    explicit MedicineEditor(store::BoundRecordset& catalogue);

    /**
     * Looks the name up (Latin letter case ignored) and makes the first medicine of that name current. Returns one
     * candidate line per medicine of that name, in stored order; an empty list, when none has it, also forgets the
     * medicine of an earlier lookup.
     */
    QStringList lookUp(const QString& name);
    /** Makes the candidate at a 0-based place of the last lookup's list current; false when there is no such one. */
    bool choose(int candidate);

    bool hasMedicine() const { return m_candidates > 0; }
    /** The medicine looked up or chosen last. */
    store::Medicine medicine() const;

    /**
     * Writes every field but the name from the changes into the medicine looked up or chosen last. A failed write
     * leaves the stored medicine as it was.
     */
    SaveOutcome save(const store::Medicine& changes);

private:
    store::BoundRecordset& m_catalogue;
    QString m_name;
    int m_candidates = 0;
};

} // namespace records
