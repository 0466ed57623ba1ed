#pragma once

#include "store/medicine.h"
#include "transaction/working_set.h"

#include <QList>
#include <QString>

namespace store {
class BoundRecordset;
}

namespace transaction {

/** The text of one entry of the choice list: "品名: " + 名称 + " 厂家: " + 生产厂家 + … + " 类型: " + 类型. */
QString ChoiceLine(const store::Medicine& medicine);

struct Lookup
{
    enum class Outcome {
        TooShort, ///< fewer than two characters: not looked up
        NotFound,
        Found,
    };

    Outcome outcome = Outcome::NotFound;
    bool byCode = false; ///< found by 代号, not by 名称
    /** Every record meeting the criterion that found one, in table order; the first is the one found. */
    QList<store::Medicine> matches;
};

/**
 * Looks a typed text up in the catalogue: the records whose 名称 equals it, or else those whose 代号 does (Latin
 * letter case ignored). A catalogue that cannot be read finds nothing.
 */
Lookup LookupMedicine(store::BoundRecordset& catalogue, const QString& text);

/** What a name too short to look up leaves of a row: the name alone. */
void emptyRowBesideName(Line& row);

/**
 * Fills a row from a catalogue record: maker, unit price, 规格, unit and type, and the purchase price when the entry
 * keeps one. The quantity, batch number and expiry stay; the name becomes the record's 名称 when replaceName is set.
 */
void fillRow(Line& row, const store::Medicine& medicine, bool withPurchasePrice, bool replaceName);

} // namespace transaction
