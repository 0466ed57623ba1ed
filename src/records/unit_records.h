#pragma once

#include <QDate>
#include <QString>

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace records {

/** One record of the customer-unit register (table 单位), field by field. */
struct Unit
{
    QString name {}; ///< 单位名称, also the name of the unit's transaction table
    QString person {}; ///< 责任人
    QString address {}; ///< 地址
    QString phone {}; ///< 电话
    QString fax {}; ///< 传真
    QString postcode {}; ///< 邮编
    QString credit {}; ///< 信誉度
    QString addedBy {}; ///< 加入人
    QString addedOn {}; ///< 加入时间

    bool operator==(const Unit&) const = default;
};

/** The register's table. */
QString unitTable();

/** The unit the source shows (after a removal, the removed one). */
Unit shownUnit(const store::BoundRecordset& units);

/** How the day a unit was added is stored in 加入时间. */
QString addedOnText(const QDate& day);

/**
 * Stores the register's pending new unit, filled from the unit with 加入人 and 加入时间 set from the arguments,
 * together with its transaction table (named as the unit) and its companion table (the name and "1"). All three
 * appear or nothing does: a name that is not a bare table name, a table name taken in any letter case (a unit's
 * own tables among them) or a refused write leaves the database as it was and drops the pending unit. Lookup
 * indexes that a database made by an earlier version keeps under names a unit may take are renamed first, within
 * the same transaction.
 */
bool addPendingUnit(platform::Database& database, store::BoundRecordset& units, const Unit& unit,
                    const QString& addedBy, const QDate& day);

/**
 * Removes the current unit and drops whichever of its two tables exist, all or nothing: a missing table does not stop
 * the removal, a table that cannot be dropped leaves the database as it was. A table that bears the name without
 * the columns of a unit's table is not the unit's and stays. The source has no current record afterwards either way.
 */
bool deleteCurrentUnit(platform::Database& database, store::BoundRecordset& units);

/** The unit modify window's hold on one unit: looked up once by name, then saved with new details. */
class UnitEditor final
{
public:
    enum class SaveOutcome { NothingLookedUp, Saved, Failed };

    explicit UnitEditor(store::BoundRecordset& units);

    /** Makes the first unit of that name (Latin letter case ignored) current; false when there is none. */
    bool lookUp(const QString& name);
    bool hasUnit() const { return m_found; }
    Unit unit() const;

    /** Writes every detail but the name, 加入人 and 加入时间; a failed write leaves the stored unit as it was. */
    SaveOutcome save(const Unit& details);

private:
    store::BoundRecordset& m_units;
    bool m_found = false;
};

} // namespace records
