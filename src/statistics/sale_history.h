#pragma once

#include "store/bound_recordset.h"
#include "store/counted_browser.h"

#include <QString>

namespace platform {
class Database;
}

namespace statistics {

/** One sold line as the past-transactions window shows it. */
struct SaleLine
{
    QString medicine; ///< 交易药品名
    QString maker; ///< 产地
    QString spec; ///< 规格
    QString unit; ///< 单位
    QString quantity; ///< 数量
    QString unitPrice; ///< 单价
    QString date; ///< built from 交易年, 交易月 and 交易日 by saleDateText()

    bool operator==(const SaleLine&) const = default;
};

/** The numbers of the stored date texts without their leading space, joined by "/": " 2003", " 5", " 7" give 2003/5/7.
 */
QString saleDateText(const QString& year, const QString& month, const QString& day);

/**
 * The past sales of one unit at a time: counted browsing over the lines of its transaction table in stored order,
 * and finds by medicine name (Latin letter case ignored) among them. Until a unit has been chosen successfully, and
 * after a choice that failed, there is no unit: moves and finds do nothing and report so.
 */
class SaleHistory final
{
public:
    using Step = store::CountedBrowser::Step;
    enum class Search { NoUnit, Found, NotFound };

    explicit SaleHistory(platform::Database& database);

    /**
     * Points at the unit's transaction table, counts its lines and goes to the first with both moves enabled. false
     * when the table is missing, cannot be read or holds no line.
     */
    bool chooseUnit(const QString& unit);
    bool hasUnit() const { return m_hasUnit; }
    /** The current line; empty texts without a unit. */
    SaleLine line() const;

    // Counted browsing; Failed without a unit.
    Step first();
    Step previous();
    Step next();
    Step last();
    bool previousEnabled() const { return m_browser.previousEnabled(); }
    bool nextEnabled() const { return m_browser.nextEnabled(); }

    /**
     * Keeps the name as the criterion and finds its first line; NotFound leaves the current line. Without a unit
     * nothing is searched and the criterion stays as it was.
     */
    Search search(const QString& medicine);
    bool hasCriterion() const { return m_criterion.has_value(); }
    /**
     * Moves among the lines of the searched name; without a further match the current line stays. false (nothing
     * done) before any search or without a unit.
     */
    bool findFirst();
    bool findPrevious();
    bool findNext();
    bool findLast();

private:
    bool canFind() const { return m_hasUnit && m_criterion.has_value(); }

    store::BoundRecordset m_lines;
    store::CountedBrowser m_browser;
    std::optional<store::Criterion> m_criterion;
    bool m_hasUnit = false;
};

} // namespace statistics
