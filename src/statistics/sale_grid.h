#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace platform {
class Database;
class TableRows;
} // namespace platform

namespace statistics {

/** Which stored sale lines the grid shows. */
struct SaleGridFilter
{
    QString unit; ///< one unit's lines; empty for every unit of the register
    /**
     * The first and last day of the sales shown, both or neither. A line's day is read from its date texts with
     * NumValue; its year and month texts must be the NumText forms of a year and a month in the range, as the
     * statistics read them.
     */
    std::optional<QDate> from;
    std::optional<QDate> to;
    QString medicinePart; ///< part of the medicine name, Latin letter case ignored; empty for every name
};

/** The columns of the grid, in order. */
enum class SaleGridColumn { Date, Unit, Medicine, Maker, Spec, SaleUnit, Quantity, Price, Amount, Batch, Expiry };

QStringList saleGridHeadings();

/** The count and total of the lines a filter selects. */
struct SaleGridSummary
{
    qint64 count = 0;
    double total = 0.0; ///< the sum of NumValue(金额), worked out by the database
};

/**
 * The stored sale lines a filter selects, read by the database a page at a time in the order asked for. Units whose
 * transaction tables cannot be read (missing, or without the columns) are left out and named by skipped().
 */
class SaleGrid final
{
public:
    SaleGrid(platform::Database& database, const SaleGridFilter& filter);

    /** The units read, in register order. */
    QStringList units() const { return m_units; }
    QStringList skipped() const { return m_skipped; }

    /** nullopt when the database could not work it out. */
    std::optional<SaleGridSummary> summary();
    /**
     * A reader of the lines sorted by a column (-1: unit by unit in register order, each unit's lines in stored
     * order), rows as saleGridHeadings() names them; dates shown as saleDateText(). Equal values keep the units'
     * and the stored order. Quantities, prices, amounts and dates sort by their numbers, texts by the database's
     * text order. `count` is what the reader tells of its size (the summary's count), -1 when not known.
     */
    std::unique_ptr<platform::TableRows> rows(int column, bool descending = false, qint64 count = -1) const;

private:
    platform::Database& m_database;
    SaleGridFilter m_filter;
    QStringList m_units;
    QStringList m_skipped;
};

} // namespace statistics
