#pragma once

#include "transaction/working_set.h"

#include <QList>
#include <QString>

namespace store {
class BoundRecordset;
}

namespace transaction {

/** The catalogue fields the entry uses, of one record of table 药品. */
struct Medicine
{
    QString name; ///< 名称
    QString code; ///< 代号
    QString maker; ///< 生产厂家
    QString spec; ///< 规格
    QString unit; ///< 单位
    QString unitPrice; ///< 单价
    QString purchasePrice; ///< 进价
    QString type; ///< 类型

    bool operator==(const Medicine&) const = default;
};

/** The text of one entry of the choice list: "品名: " + 名称 + " 厂家: " + 生产厂家 + … + " 类型: " + 类型. */
QString ChoiceLine(const Medicine& medicine);

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
    QList<Medicine> matches;
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
void fillRow(Line& row, const Medicine& medicine, bool withPurchasePrice, bool replaceName);

} // namespace transaction
