#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <array>

namespace transaction {
struct WorkingSet;
}

namespace slip {

inline constexpr int rowsPerPage = 8;

/** A storage zone: the lines of one medicine type, printed on pages of their own under the zone's caption. */
struct Zone
{
    QString drugType;
    QString caption;
};

/** The zones in printing order. */
const std::array<Zone, 4>& zones();

/** The values that are the same on every page of a slip, as they are printed. */
struct SlipHeader
{
    QString title;
    QString buyer;
    QString year; ///< four digits
    QString month; ///< two digits
    QString day; ///< two digits
    QString clerk;
    QString salesNumber;
    QString lineCount;
    QString totalInWords;
    QString total; ///< "0.00"
    QString pageTotal;
};

/** One row slot: the line's texts exactly as the working set holds them, and the quality mark. */
struct SlipRow
{
    QString name;
    QString maker;
    QString spec;
    QString quantity;
    QString unit;
    QString unitPrice;
    QString amount;
    QString batchNo;
    QString expiry;
    QString mark;
};

/** One page of a slip with every value it shows; a default page shows the fixed captions alone. */
struct SlipPage
{
    SlipHeader header;
    QString zone;
    std::array<SlipRow, rowsPerPage> rows;
    QString subtotal; ///< ".00"
    QString pageNumber; ///< "n/m"
};

/**
 * The pages of the slip in printing order: zone by zone, eight of the zone's lines a page in line order, the last
 * page of a zone filled up with blank slots. Lines of no zone type are on no page; no page at all when no line has
 * a zone type. The page total printed is the working set's SlipPageCount, not a count made here.
 */
QList<SlipPage> composeSlip(const transaction::WorkingSet& set, const QString& letterhead, const QString& clerk,
                            const QDate& date);

} // namespace slip
