#include "records/unit_records.h"

#include "platform/database.h"
#include "store/bound_recordset.h"
#include "store/engine_sql.h"
#include "store/sale_date_index.h"
#include "store/schema.h"
#include "store/statements.h"
#include "store/table_names.h"

using namespace Qt::Literals::StringLiterals;

namespace records {

namespace {

const QString nameField = u"单位名称"_s;

QString field(const store::BoundRecordset& source, const QString& name)
{
    return source.value(name).value_or(QString());
}

QString companionTable(const QString& unitName)
{
    return unitName + u"1"_s;
}

QStringList sortedColumns(platform::Database& database, const QString& table)
{
    QStringList columns = store::tableColumns(database, table);
    columns.sort();
    return columns;
}

/**
 * Drops the table when it is there and is one of a unit's (it has the columns given); true when it is gone or was
 * never the unit's. A unit whose tables were lost can still be deleted, and a table that merely bears the name (the
 * transaction table of a unit named as this one's companion, a log table, a fixed table) keeps its records.
 */
bool dropIfUnitTable(platform::Database& database, const QString& table, QStringList columns)
{
    if (!store::isBareTableName(table) || !store::tableExists(database, table))
        return true;
    columns.sort();
    return sortedColumns(database, table) != columns || store::dropTable(database, table);
}

// The details a unit's record carries besides its name and who added it when.
bool setDetails(store::BoundRecordset& units, const Unit& unit)
{
    return units.setValue(u"责任人"_s, unit.person) && units.setValue(u"地址"_s, unit.address)
        && units.setValue(u"电话"_s, unit.phone) && units.setValue(u"传真"_s, unit.fax)
        && units.setValue(u"邮编"_s, unit.postcode) && units.setValue(u"信誉度"_s, unit.credit);
}

} // namespace

QString unitTable()
{
    return u"单位"_s;
}

Unit shownUnit(const store::BoundRecordset& units)
{
    // After a removal the source has no current record but still shows the removed one.
    const QStringList shown = units.shownValues();
    const auto at = [&](const QString& name) {
        const qsizetype index = units.fields().indexOf(name);
        return index >= 0 && index < shown.size() ? shown.at(index) : QString();
    };
    return { at(nameField), at(u"责任人"_s), at(u"地址"_s),   at(u"电话"_s),    at(u"传真"_s),
             at(u"邮编"_s), at(u"信誉度"_s), at(u"加入人"_s), at(u"加入时间"_s) };
}

QString addedOnText(const QDate& day)
{
    return day.toString(u"yyyy-MM-dd"_s);
}

bool addPendingUnit(platform::Database& database, store::BoundRecordset& units, const Unit& unit,
                    const QString& addedBy, const QDate& day)
{
    if (units.mode() != store::BoundRecordset::Mode::Adding)
        return false;
    // The name becomes part of the table statements, so it is checked before any of them is built.
    bool stored = store::isBareTableName(unit.name) && store::isBareTableName(companionTable(unit.name));
    if (stored) {
        platform::Transaction transaction(database);
        stored = transaction.isActive() && store::renameOldLookupIndexes(database)
            && store::createTransactionTable(database, unit.name)
            && store::createTable(database, companionTable(unit.name), store::companionTableColumns())
            && units.setValue(nameField, unit.name) && setDetails(units, unit) && units.setValue(u"加入人"_s, addedBy)
            && units.setValue(u"加入时间"_s, addedOnText(day)) && units.update() && transaction.commit();
    }
    if (!stored)
        units.cancelUpdate();
    return stored;
}

bool deleteCurrentUnit(platform::Database& database, store::BoundRecordset& units)
{
    if (!units.hasCurrent())
        return false;
    const QString name = field(units, nameField);
    platform::Transaction transaction(database);
    return transaction.isActive() && units.remove() && dropIfUnitTable(database, name, store::transactionTableColumns())
        && dropIfUnitTable(database, companionTable(name), store::companionTableColumns()) && transaction.commit();
}

UnitEditor::UnitEditor(store::BoundRecordset& units) : m_units(units) { }

bool UnitEditor::lookUp(const QString& name)
{
    m_units.findFirst({ nameField, name });
    m_found = !m_units.noMatch();
    return m_found;
}

Unit UnitEditor::unit() const
{
    return shownUnit(m_units);
}

UnitEditor::SaveOutcome UnitEditor::save(const Unit& details)
{
    if (!m_found || !m_units.hasCurrent())
        return SaveOutcome::NothingLookedUp;
    if (m_units.edit() && setDetails(m_units, details) && m_units.update())
        return SaveOutcome::Saved;
    m_units.cancelUpdate();
    return SaveOutcome::Failed;
}

} // namespace records
