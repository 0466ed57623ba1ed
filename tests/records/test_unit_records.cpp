#include "catalogue_fixture.h"
#include "records/unit_records.h"
#include "statistics/sale_history.h"
#include "statistics/sales_sums.h"
#include "store/bound_recordset.h"
#include "store/statements.h"
#include "store/table_names.h"
#include "support/scratch_database.h"
#include "transaction/commit.h"
#include "transaction/working_set.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using records::Unit;
using records::UnitEditor;

namespace {

const QDate addDay(2004, 7, 5);

Unit unit(const QString& name)
{
    return { name,        u"王明"_s, u"解放路12号"_s, u"0311-5551234"_s, u"0311-5551235"_s,
             u"050000"_s, u"A"_s,    u"super"_s,      u"2003-01-02"_s };
}

} // namespace

class TestUnitRecords final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addStoresUnitWithItsTables();
    void refusedAddLeavesNothing_data();
    void refusedAddLeavesNothing();
    void refusedNameCanBeAddedOnceFree();
    void namesUsersWrite_data();
    void namesUsersWrite();

    void deleteRemovesUnitAndItsTables();
    void deleteWithoutSomeTables_data();
    void deleteWithoutSomeTables();
    void failedDeleteChangesNothing_data();
    void failedDeleteChangesNothing();

    void editorChangesDetailsOnly();
    void editorWithoutUnitChangesNothing();
    void refusedEditLeavesStoredUnit();

private:
    store::BoundRecordset& units();

    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<store::BoundRecordset> m_units;
};

void TestUnitRecords::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
}

void TestUnitRecords::cleanup()
{
    m_units.reset();
    m_scratch.reset();
}

store::BoundRecordset& TestUnitRecords::units()
{
    if (!m_units)
        m_units = std::make_unique<store::BoundRecordset>(m_scratch->db(), records::unitTable());
    return *m_units;
}

void TestUnitRecords::addStoresUnitWithItsTables()
{
    recordtests::storeUnit(*m_scratch, unit(u"仁和诊所"_s));
    QVERIFY(units().addNew());
    const Unit typed { .name = u"康泰药房"_s,
                       .person = u"李华"_s,
                       .address = u"建设路8号"_s,
                       .phone = u"5556789"_s,
                       .fax = u"5556780"_s,
                       .postcode = u"050011"_s,
                       .credit = u"良好"_s,
                       // not typed in the window; the add sets them
                       .addedBy = u"someone"_s,
                       .addedOn = u"1999-01-01"_s };
    QVERIFY(records::addPendingUnit(m_scratch->db(), units(), typed, u"clerk1"_s, addDay));

    Unit expected = typed;
    expected.addedBy = u"clerk1"_s;
    expected.addedOn = u"2004-07-05"_s;
    QCOMPARE(recordtests::storedUnits(*m_scratch), (QList<Unit> { unit(u"仁和诊所"_s), expected }));
    QVERIFY(store::tableExists(m_scratch->db(), u"康泰药房"_s));
    QVERIFY(store::tableExists(m_scratch->db(), u"康泰药房1"_s));
    QCOMPARE(m_scratch->db().inTransaction(), false);
    // the tables are those a sale and the companion records are written to
    QVERIFY(m_scratch->db().exec(u"INSERT INTO 康泰药房 (交易年, 规格) VALUES (' 2004', '10片')"_s));
    QVERIFY(m_scratch->db().exec(u"INSERT INTO 康泰药房1 (年月日, 备注) VALUES ('2004', '')"_s));
}

void TestUnitRecords::refusedAddLeavesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("existingTable"); // created before the add, empty for none
    QTest::addColumn<bool>("recordRefused");

    QTest::newRow("unit already registered") << u"仁和诊所"_s << QString() << false;
    QTest::newRow("companion name taken") << u"华康"_s << u"华康1"_s << false;
    QTest::newRow("transaction table taken in another letter case") << u"abc"_s << u"ABC"_s << false;
    QTest::newRow("a fixed table") << u"药品"_s << QString() << false;
    QTest::newRow("a user's log table") << u"orsvan"_s << QString() << false;
    QTest::newRow("a space") << u"康泰 药房"_s << QString() << false;
    QTest::newRow("a quote") << u"康泰\"药房"_s << QString() << false;
    QTest::newRow("a statement") << u"x1 (a String); DROP TABLE 药品; --"_s << QString() << false;
    QTest::newRow("empty") << QString() << QString() << false;
    QTest::newRow("a keyword") << u"select"_s << QString() << false;
    QTest::newRow("record refused after both tables") << u"康泰药房"_s << QString() << true;
}

void TestUnitRecords::refusedAddLeavesNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, existingTable);
    QFETCH(bool, recordRefused);

    recordtests::storeUnit(*m_scratch, unit(u"仁和诊所"_s));
    if (!existingTable.isEmpty())
        m_scratch->createTable(existingTable, { u"备注"_s });
    if (recordRefused)
        recordtests::refuseWrites(*m_scratch, u"单位"_s, u"INSERT"_s);
    const QStringList tablesBefore = recordtests::tableNames(*m_scratch);
    const QList<Unit> unitsBefore = recordtests::storedUnits(*m_scratch);

    QVERIFY(units().addNew());
    QVERIFY(!records::addPendingUnit(m_scratch->db(), units(), unit(name), u"Orsvan"_s, addDay));

    QCOMPARE(units().mode(), store::BoundRecordset::Mode::None);
    QCOMPARE(recordtests::tableNames(*m_scratch), tablesBefore);
    QCOMPARE(recordtests::storedUnits(*m_scratch), unitsBefore);
    QCOMPARE(m_scratch->db().inTransaction(), false);
}

void TestUnitRecords::refusedNameCanBeAddedOnceFree()
{
    // A unit named as another's companion table fails without leaving its own transaction table behind, so it can
    // be added once the clash is gone.
    m_scratch->createTable(u"华康1"_s, { u"备注"_s });
    QVERIFY(units().addNew());
    QVERIFY(!records::addPendingUnit(m_scratch->db(), units(), unit(u"华康"_s), u"Orsvan"_s, addDay));
    QVERIFY(!store::tableExists(m_scratch->db(), u"华康"_s));

    QVERIFY(store::dropTable(m_scratch->db(), u"华康1"_s));
    QVERIFY(units().addNew());
    QVERIFY(records::addPendingUnit(m_scratch->db(), units(), unit(u"华康"_s), u"Orsvan"_s, addDay));
    QCOMPARE(recordtests::storedUnits(*m_scratch).size(), 1);
    QVERIFY(store::tableExists(m_scratch->db(), u"华康1"_s));
}

void TestUnitRecords::namesUsersWrite_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("earlierIndexes"); // a database made before the lookup indexes were renamed

    QTest::newRow("full-width brackets") << u"第一医院（东城）"_s << false;
    QTest::newRow("full-width hyphen") << u"同仁堂－分店"_s << false;
    QTest::newRow("middle dot") << u"张三·药房"_s << false;
    QTest::newRow("lenticular brackets") << u"【新】康宁诊所"_s << false;
    for (const QString& index : { u"lookup_1"_s, u"lookup_2"_s, u"lookup_3"_s, u"lookup_4"_s }) {
        QTest::addRow("%s", qPrintable(index)) << index << false;
        QTest::addRow("%s in a database made earlier", qPrintable(index)) << index << true;
    }
}

void TestUnitRecords::namesUsersWrite()
{
    // A unit of such a name goes all the way: added, sold to, looked at, counted and deleted.
    QFETCH(QString, name);
    QFETCH(bool, earlierIndexes);
    if (earlierIndexes)
        m_scratch->useEarlierLookupIndexNames();
    recordtests::storeUnit(*m_scratch, unit(u"仁和诊所"_s));

    QVERIFY(units().addNew());
    QVERIFY(records::addPendingUnit(m_scratch->db(), units(), unit(name), u"Orsvan"_s, addDay));
    QVERIFY(store::tableExists(m_scratch->db(), name));
    QVERIFY(store::tableExists(m_scratch->db(), name + u"1"_s));
    for (const QString& index : m_scratch->indexNames())
        QVERIFY2(!store::isBareTableName(index), qPrintable(index));

    transaction::WorkingSet set;
    transaction::PageRows rows;
    rows[0].name = u"阿莫西林"_s;
    rows[0].quantity = u"5"_s;
    rows[0].unitPrice = u"2.50"_s;
    rows[0].amount = u"12.50"_s;
    QVERIFY(transaction::finishSale(m_scratch->db(), set, { .rows = rows, .unit = name, .saleDate = QDate(2004, 7, 5) })
                .succeeded());

    statistics::SaleHistory history(m_scratch->db());
    QVERIFY(history.chooseUnit(name));
    QCOMPARE(history.line().medicine, u"阿莫西林"_s);
    QCOMPARE(history.line().date, u"2004/7/5"_s);
    const statistics::SalePeriod july { u" 2004"_s, u" 7"_s };
    QCOMPARE(statistics::periodSum(m_scratch->db(), name, july), std::optional(12.5));
    QCOMPARE(statistics::periodSum(m_scratch->db(), name, { u" 2004"_s, {} }), std::optional(12.5));
    QCOMPARE(statistics::allTimeSum(m_scratch->db(), name), std::optional(12.5));
    const auto overall = statistics::overallSum(m_scratch->db(), { u"仁和诊所"_s, name }, july);
    QVERIFY(overall);
    QCOMPARE(overall->total, 12.5);
    QCOMPARE(overall->skipped, QStringList());

    QVERIFY(units().moveLast());
    QVERIFY(records::deleteCurrentUnit(m_scratch->db(), units()));
    QCOMPARE(recordtests::storedUnits(*m_scratch), QList<Unit> { unit(u"仁和诊所"_s) });
    QVERIFY(!store::tableExists(m_scratch->db(), name));
    QVERIFY(!store::tableExists(m_scratch->db(), name + u"1"_s));
}

void TestUnitRecords::deleteRemovesUnitAndItsTables()
{
    recordtests::storeUnit(*m_scratch, unit(u"仁和诊所"_s));
    recordtests::storeUnit(*m_scratch, unit(u"康泰药房"_s));
    QVERIFY(units().moveLast());

    QVERIFY(records::deleteCurrentUnit(m_scratch->db(), units()));
    QCOMPARE(recordtests::storedUnits(*m_scratch), QList<Unit> { unit(u"仁和诊所"_s) });
    QVERIFY(!store::tableExists(m_scratch->db(), u"康泰药房"_s));
    QVERIFY(!store::tableExists(m_scratch->db(), u"康泰药房1"_s));
    QVERIFY(store::tableExists(m_scratch->db(), u"仁和诊所1"_s));
    // the removed unit stays on show for the window's messages
    QCOMPARE(records::shownUnit(units()).name, u"康泰药房"_s);
}

void TestUnitRecords::deleteWithoutSomeTables_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("missingTables"); // lost by damage from outside before the delete
    QTest::addColumn<QString>("otherUnit"); // registered afterwards with its tables, empty for none

    const QString name = u"康泰药房"_s;
    const QString companion = u"康泰药房1"_s;
    QTest::newRow("transaction table missing") << name << QStringList { name } << QString();
    QTest::newRow("companion table missing") << name << QStringList { companion } << QString();
    QTest::newRow("both missing") << name << QStringList { name, companion } << QString();
    QTest::newRow("companion's name since taken by another unit") << name << QStringList { companion } << companion;
    QTest::newRow("a name no table can have") << u"康泰 药房"_s << QStringList() << QString();
}

void TestUnitRecords::deleteWithoutSomeTables()
{
    QFETCH(QString, name);
    QFETCH(QStringList, missingTables);
    QFETCH(QString, otherUnit);

    if (store::isBareTableName(name))
        recordtests::storeUnit(*m_scratch, unit(name));
    else
        QVERIFY(m_scratch->db().exec(u"INSERT INTO 单位 (单位名称) VALUES (?)"_s, { name }));
    for (const QString& table : missingTables)
        QVERIFY(store::dropTable(m_scratch->db(), table));
    if (!otherUnit.isEmpty())
        recordtests::storeUnit(*m_scratch, unit(otherUnit));
    QStringList tablesAfter = recordtests::tableNames(*m_scratch);
    tablesAfter.removeAll(name);
    if (otherUnit != name + u"1"_s)
        tablesAfter.removeAll(name + u"1"_s);
    QVERIFY(units().moveFirst());

    QVERIFY(records::deleteCurrentUnit(m_scratch->db(), units()));
    QCOMPARE(recordtests::storedUnits(*m_scratch),
             otherUnit.isEmpty() ? QList<Unit>() : QList<Unit> { unit(otherUnit) });
    QCOMPARE(recordtests::tableNames(*m_scratch), tablesAfter);
    QCOMPARE(m_scratch->db().inTransaction(), false);
}

void TestUnitRecords::failedDeleteChangesNothing_data()
{
    QTest::addColumn<bool>("removalRefused"); // otherwise a table cannot be dropped

    QTest::newRow("record removal refused") << true;
    QTest::newRow("companion table in use") << false;
}

void TestUnitRecords::failedDeleteChangesNothing()
{
    QFETCH(bool, removalRefused);

    recordtests::storeUnit(*m_scratch, unit(u"康泰药房"_s));
    QVERIFY(m_scratch->db().exec(u"INSERT INTO 康泰药房1 (备注) VALUES ('a'), ('b')"_s));
    if (removalRefused)
        recordtests::refuseWrites(*m_scratch, u"单位"_s, u"DELETE"_s);
    const QStringList tablesBefore = recordtests::tableNames(*m_scratch);
    QVERIFY(units().moveFirst());
    // A read still in progress on the table keeps the engine from dropping it.
    QSqlQuery reading = m_scratch->db().prepare(u"SELECT 备注 FROM 康泰药房1"_s);
    QVERIFY(reading.exec() && reading.next());
    if (removalRefused)
        reading.finish();

    QVERIFY(!records::deleteCurrentUnit(m_scratch->db(), units()));
    reading.finish();
    QCOMPARE(recordtests::storedUnits(*m_scratch), QList<Unit> { unit(u"康泰药房"_s) });
    QCOMPARE(recordtests::tableNames(*m_scratch), tablesBefore);
    QCOMPARE(m_scratch->db().inTransaction(), false);
}

void TestUnitRecords::editorChangesDetailsOnly()
{
    recordtests::storeUnit(*m_scratch, unit(u"仁和诊所"_s));
    recordtests::storeUnit(*m_scratch, unit(u"康泰药房"_s));
    UnitEditor editor(units());
    QVERIFY(!editor.lookUp(u"康泰"_s));
    QVERIFY(editor.lookUp(u"康泰药房"_s));
    QCOMPARE(editor.unit(), unit(u"康泰药房"_s));

    const Unit details { u"改名无效"_s, u"赵强"_s, u"新华路1号"_s, u"5550000"_s, u"5550001"_s,
                         u"050022"_s,   u"B"_s,    u"改人无效"_s,  u"改期无效"_s };
    QCOMPARE(editor.save(details), UnitEditor::SaveOutcome::Saved);
    Unit expected = details;
    expected.name = u"康泰药房"_s;
    expected.addedBy = u"super"_s;
    expected.addedOn = u"2003-01-02"_s;
    QCOMPARE(recordtests::storedUnits(*m_scratch), (QList<Unit> { unit(u"仁和诊所"_s), expected }));
}

void TestUnitRecords::editorWithoutUnitChangesNothing()
{
    recordtests::storeUnit(*m_scratch, unit(u"仁和诊所"_s));
    UnitEditor editor(units());
    QCOMPARE(editor.save(unit(u"仁和诊所"_s)), UnitEditor::SaveOutcome::NothingLookedUp);
    QVERIFY(!editor.lookUp(u"康泰药房"_s));
    Unit changed = unit(u"仁和诊所"_s);
    changed.person = u"赵强"_s;
    QCOMPARE(editor.save(changed), UnitEditor::SaveOutcome::NothingLookedUp);
    QCOMPARE(recordtests::storedUnits(*m_scratch), QList<Unit> { unit(u"仁和诊所"_s) });
}

void TestUnitRecords::refusedEditLeavesStoredUnit()
{
    recordtests::storeUnit(*m_scratch, unit(u"仁和诊所"_s));
    recordtests::refuseWrites(*m_scratch, u"单位"_s, u"UPDATE"_s);
    UnitEditor editor(units());
    QVERIFY(editor.lookUp(u"仁和诊所"_s));
    Unit changed = unit(u"仁和诊所"_s);
    changed.person = u"赵强"_s;

    QCOMPARE(editor.save(changed), UnitEditor::SaveOutcome::Failed);
    QCOMPARE(units().mode(), store::BoundRecordset::Mode::None);
    QCOMPARE(recordtests::storedUnits(*m_scratch), QList<Unit> { unit(u"仁和诊所"_s) });
}

QTEST_GUILESS_MAIN(TestUnitRecords)
#include "test_unit_records.moc"
