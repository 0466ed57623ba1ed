#pragma once

#include <QString>

namespace platform {
class Database;
}

namespace transaction {

/** The latest line of one medicine in a unit's transaction table, its texts as stored. */
struct LastSale
{
    enum class Outcome {
        Found,
        Never, ///< the unit's table holds no line of the medicine
        Unreadable, ///< the table could not be read (no such table, a database error)
    };

    Outcome outcome = Outcome::Never;
    QString date; ///< "2026-11-03"; the stored texts joined by "-" when they are no date
    QString unitPrice;
    QString quantity;
};

/**
 * The line of the medicine sold last to the unit: the latest sale date; of several lines of that day, the one stored
 * last. The medicine is matched by its exact name. The years compare as stored, a space and four digits, so a line
 * whose year was written otherwise may be passed over. The unit's last-sale index makes it one short range of the
 * table; without the index it reads the whole table.
 */
LastSale lastSale(platform::Database& database, const QString& unit, const QString& medicine);

/**
 * Gives the unit's transaction table its last-sale index when it has none yet (a table made before the index
 * existed); run when the unit is chosen, it costs one look at the schema once the index is there. false when the
 * table could not be given it.
 */
bool prepareLastSales(platform::Database& database, const QString& unit);

/** The line under the rows: "上次: 2026-11-03 单价 3.50 数量 20", or that there was no such sale. */
QString lastSaleText(const LastSale& sale);

} // namespace transaction
