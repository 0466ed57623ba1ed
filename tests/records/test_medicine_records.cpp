#include "catalogue_fixture.h"
#include "records/catalogue_search.h"
#include "records/medicine_records.h"
#include "store/bound_recordset.h"
#include "support/scratch_database.h"

#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using records::MedicineEditor;
using store::Medicine;
using SaveOutcome = records::MedicineEditor::SaveOutcome;
using SearchResult = records::CatalogueSearch::Result;

namespace {

Medicine medicine(const QString& name, const QString& maker, const QString& packing = u"10片"_s)
{
    return { name, u"C"_s + maker, maker, packing, u"盒"_s, u"12.50"_s, u"9.80"_s, u"片剂"_s };
}

} // namespace

class TestMedicineRecords final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void medicineTypes_data();
    void medicineTypes();
    void prices_data();
    void prices();
    void addAppendsEveryField();
    void addKeepsWrongTypePending();
    void addRefusedByDatabaseDropsTheRecord();

    void lookUpListsEveryMedicineOfTheName();
    void chosenCandidateIsItsOwnRecord();
    void saveChangesOnlyTheChosenMedicine();
    void saveWithoutMedicineChangesNothing_data();
    void saveWithoutMedicineChangesNothing();
    void refusedSaveLeavesStoredMedicine();

    void searchMovesAmongMedicinesOfTheName();

private:
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<store::BoundRecordset> m_catalogue;
    void openCatalogue();
};

void TestMedicineRecords::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
}

void TestMedicineRecords::cleanup()
{
    m_catalogue.reset();
    m_scratch.reset();
}

void TestMedicineRecords::openCatalogue()
{
    m_catalogue = std::make_unique<store::BoundRecordset>(m_scratch->db(), records::catalogueTable());
    QVERIFY(m_catalogue->isOpen());
}

void TestMedicineRecords::medicineTypes_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("片剂") << u"片剂"_s << true;
    QTest::newRow("针剂") << u"针剂"_s << true;
    QTest::newRow("器械") << u"器械"_s << true;
    QTest::newRow("其它") << u"其它"_s << true;
    QTest::newRow("trailing space") << u"片剂 "_s << false;
    QTest::newRow("leading space") << u" 针剂"_s << false;
    QTest::newRow("traditional characters") << u"其他"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestMedicineRecords::medicineTypes()
{
    QFETCH(QString, type);
    QFETCH(bool, accepted);

    QCOMPARE(records::isMedicineType(type), accepted);

    // The modify window's check is the same.
    recordtests::storeMedicines(*m_scratch, { medicine(u"阿莫西林"_s, u"华北制药"_s) });
    openCatalogue();
    MedicineEditor editor(*m_catalogue);
    QCOMPARE(editor.lookUp(u"阿莫西林"_s).size(), 1);
    Medicine changes = editor.medicine();
    changes.type = type;
    QCOMPARE(editor.save(changes), accepted ? SaveOutcome::Saved : SaveOutcome::WrongType);
    QCOMPARE(recordtests::storedMedicines(*m_scratch).first().type, accepted ? type : u"片剂"_s);
}

void TestMedicineRecords::prices_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("empty") << QString() << true;
    QTest::newRow("two decimals") << u"12.50"_s << true;
    QTest::newRow("whole") << u"3"_s << true;
    QTest::newRow("point first") << u".5"_s << true;
    // the sale reads blanks around a number, so they are kept as typed
    QTest::newRow("blanks around") << u" 0.6 "_s << true;
    QTest::newRow("unit after") << u"0.6元"_s << false;
    QTest::newRow("currency sign") << u"¥0.6"_s << false;
    QTest::newRow("thousands separator") << u"1,000"_s << false;
    QTest::newRow("blank inside") << u"1 2"_s << false;
    QTest::newRow("full-width digits") << u"０.６"_s << false;
    QTest::newRow("full-width blank") << u"\u30000.6"_s << false;
    QTest::newRow("lone point") << u"."_s << false;
    QTest::newRow("two points") << u"1.2.3"_s << false;
}

void TestMedicineRecords::prices()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    QCOMPARE(records::isPriceText(text), accepted);

    // 单价 and 进价 alike, when a medicine is added and when one is modified
    const Medicine stored = medicine(u"阿莫西林"_s, u"华北制药"_s);
    recordtests::storeMedicines(*m_scratch, { stored });
    openCatalogue();
    for (const bool purchase : { false, true }) {
        Medicine typed = medicine(u"维生素C"_s, u"东北制药"_s);
        (purchase ? typed.purchasePrice : typed.unitPrice) = text;
        QVERIFY(m_catalogue->addNew());
        const auto refusedAdd = purchase ? records::AddOutcome::WrongPurchasePrice : records::AddOutcome::WrongPrice;
        QCOMPARE(records::addPendingMedicine(*m_catalogue, typed), accepted ? records::AddOutcome::Added : refusedAdd);
        if (!accepted)
            QCOMPARE(m_catalogue->mode(), store::BoundRecordset::Mode::Adding);
        m_catalogue->cancelUpdate();

        MedicineEditor editor(*m_catalogue);
        editor.lookUp(stored.name);
        Medicine changes = stored;
        (purchase ? changes.purchasePrice : changes.unitPrice) = text;
        const auto refusedSave = purchase ? SaveOutcome::WrongPurchasePrice : SaveOutcome::WrongPrice;
        QCOMPARE(editor.save(changes), accepted ? SaveOutcome::Saved : refusedSave);
        QCOMPARE(recordtests::storedMedicines(*m_scratch).first(), accepted ? changes : stored);
    }
    QCOMPARE(recordtests::storedMedicines(*m_scratch).size(), accepted ? 3 : 1);
}

void TestMedicineRecords::addAppendsEveryField()
{
    const Medicine first = medicine(u"阿莫西林"_s, u"华北制药"_s);
    recordtests::storeMedicines(*m_scratch, { first });
    openCatalogue();

    // The same name again is a medicine of its own.
    const Medicine added { u"阿莫西林"_s, u"A02"_s,   u"石药集团"_s, u"0.25g*24"_s,
                           u"盒"_s,       u"15.00"_s, u"11.20"_s,    u"器械"_s };
    QVERIFY(m_catalogue->addNew());
    QCOMPARE(records::addPendingMedicine(*m_catalogue, added), records::AddOutcome::Added);
    QCOMPARE(m_catalogue->mode(), store::BoundRecordset::Mode::None);
    QCOMPARE(recordtests::storedMedicines(*m_scratch), (QList<Medicine> { first, added }));
}

void TestMedicineRecords::addKeepsWrongTypePending()
{
    openCatalogue();
    QVERIFY(m_catalogue->addNew());
    Medicine added = medicine(u"维生素C"_s, u"东北制药"_s);
    added.type = u"片剂 "_s;
    QCOMPARE(records::addPendingMedicine(*m_catalogue, added), records::AddOutcome::WrongType);
    QCOMPARE(m_catalogue->mode(), store::BoundRecordset::Mode::Adding);
    QVERIFY(recordtests::storedMedicines(*m_scratch).isEmpty());

    added.type = u"片剂"_s;
    QCOMPARE(records::addPendingMedicine(*m_catalogue, added), records::AddOutcome::Added);
    QCOMPARE(recordtests::storedMedicines(*m_scratch), QList<Medicine> { added });
}

void TestMedicineRecords::addRefusedByDatabaseDropsTheRecord()
{
    recordtests::refuseWrites(*m_scratch, u"药品"_s, u"INSERT"_s);
    openCatalogue();
    QVERIFY(m_catalogue->addNew());
    QCOMPARE(records::addPendingMedicine(*m_catalogue, medicine(u"维生素C"_s, u"东北制药"_s)),
             records::AddOutcome::Failed);
    QCOMPARE(m_catalogue->mode(), store::BoundRecordset::Mode::None);
    QVERIFY(recordtests::storedMedicines(*m_scratch).isEmpty());
}

void TestMedicineRecords::lookUpListsEveryMedicineOfTheName()
{
    Medicine upper = medicine(u"VC"_s, u"东北制药"_s);
    upper.code = QString(); // an empty field keeps its place in the line
    recordtests::storeMedicines(*m_scratch,
                                { medicine(u"阿莫西林"_s, u"华北制药"_s), upper, medicine(u"vc"_s, u"华中制药"_s) });
    openCatalogue();
    MedicineEditor editor(*m_catalogue);

    const QStringList lines = editor.lookUp(u"Vc"_s);
    QCOMPARE(
        lines,
        (QStringList { u"产地: 东北制药 单位: 盒 规格: 10片 单价: 12.50 类型: 片剂 进价: 9.80 代号: "_s,
                       u"产地: 华中制药 单位: 盒 规格: 10片 单价: 12.50 类型: 片剂 进价: 9.80 代号: C华中制药"_s }));
    QVERIFY(editor.hasMedicine());
    QCOMPARE(editor.medicine(), upper);

    QVERIFY(editor.lookUp(u"青霉素"_s).isEmpty());
    QVERIFY(!editor.hasMedicine());
}

void TestMedicineRecords::chosenCandidateIsItsOwnRecord()
{
    // Shown values that hold spaces, and two candidates whose lines read alike, still reach their own records.
    const Medicine spaced = medicine(u"感冒灵"_s, u"三九 药业"_s, u"10g *9袋"_s);
    Medicine twin = medicine(u"感冒灵"_s, u"华润"_s);
    Medicine twinAgain = twin;
    twinAgain.code = u"C2"_s;
    recordtests::storeMedicines(*m_scratch, { twin, spaced, twinAgain });
    openCatalogue();
    MedicineEditor editor(*m_catalogue);
    QCOMPARE(editor.lookUp(u"感冒灵"_s).size(), 3);

    QVERIFY(editor.choose(1));
    QCOMPARE(editor.medicine(), spaced);
    QVERIFY(editor.choose(2));
    QCOMPARE(editor.medicine(), twinAgain);
    QVERIFY(editor.choose(0));
    QCOMPARE(editor.medicine(), twin);
    QVERIFY(!editor.choose(3));
    QVERIFY(!editor.choose(-1));
    QCOMPARE(editor.medicine(), twin);
}

void TestMedicineRecords::saveChangesOnlyTheChosenMedicine()
{
    const Medicine first = medicine(u"感冒灵"_s, u"华润"_s);
    const Medicine second = medicine(u"感冒灵"_s, u"三九药业"_s);
    recordtests::storeMedicines(*m_scratch, { first, second });
    openCatalogue();
    MedicineEditor editor(*m_catalogue);
    editor.lookUp(u"感冒灵"_s);
    QVERIFY(editor.choose(1));

    const Medicine changes { u"改名无效"_s, u"B7"_s, u"白云山"_s, u"20袋"_s, u"袋"_s, u"3.50"_s, u"2.10"_s, u"其它"_s };
    QCOMPARE(editor.save(changes), SaveOutcome::Saved);
    Medicine expected = changes;
    expected.name = second.name;
    QCOMPARE(recordtests::storedMedicines(*m_scratch), (QList<Medicine> { first, expected }));
}

void TestMedicineRecords::saveWithoutMedicineChangesNothing_data()
{
    QTest::addColumn<QString>("lookedUp");

    QTest::newRow("nothing looked up") << QString();
    QTest::newRow("last lookup found nothing") << u"青霉素"_s;
}

void TestMedicineRecords::saveWithoutMedicineChangesNothing()
{
    QFETCH(QString, lookedUp);

    const Medicine stored = medicine(u"感冒灵"_s, u"华润"_s);
    recordtests::storeMedicines(*m_scratch, { stored });
    openCatalogue();
    MedicineEditor editor(*m_catalogue);
    if (!lookedUp.isEmpty()) {
        editor.lookUp(u"感冒灵"_s);
        editor.lookUp(lookedUp);
    }
    QCOMPARE(editor.save(medicine(u"感冒灵"_s, u"白云山"_s)), SaveOutcome::NothingLookedUp);
    QCOMPARE(recordtests::storedMedicines(*m_scratch), QList<Medicine> { stored });
}

void TestMedicineRecords::refusedSaveLeavesStoredMedicine()
{
    const Medicine stored = medicine(u"感冒灵"_s, u"华润"_s);
    recordtests::storeMedicines(*m_scratch, { stored });
    recordtests::refuseWrites(*m_scratch, u"药品"_s, u"UPDATE"_s);
    openCatalogue();
    MedicineEditor editor(*m_catalogue);
    editor.lookUp(u"感冒灵"_s);

    QCOMPARE(editor.save(medicine(u"感冒灵"_s, u"白云山"_s)), SaveOutcome::Failed);
    QCOMPARE(m_catalogue->mode(), store::BoundRecordset::Mode::None);
    QCOMPARE(editor.medicine(), stored);
    QCOMPARE(recordtests::storedMedicines(*m_scratch), QList<Medicine> { stored });
}

void TestMedicineRecords::searchMovesAmongMedicinesOfTheName()
{
    recordtests::storeMedicines(
        *m_scratch,
        { medicine(u"VC"_s, u"东北制药"_s), medicine(u"阿莫西林"_s, u"华北制药"_s), medicine(u"vc"_s, u"华中制药"_s) });
    openCatalogue();
    records::CatalogueSearch search(*m_catalogue);
    const auto maker = [this] {
        return records::shownMedicine(*m_catalogue).maker;
    };

    QCOMPARE(search.first(), SearchResult::NoSearch);
    QVERIFY(!search.next());

    QCOMPARE(search.search(u"Vc"_s), SearchResult::Found);
    QCOMPARE(maker(), u"东北制药"_s);
    QVERIFY(search.previous());
    QCOMPARE(maker(), u"东北制药"_s);
    QVERIFY(search.next());
    QCOMPARE(maker(), u"华中制药"_s);
    QVERIFY(search.next());
    QCOMPARE(maker(), u"华中制药"_s);
    QCOMPARE(search.first(), SearchResult::Found);
    QCOMPARE(maker(), u"东北制药"_s);
    QCOMPARE(search.last(), SearchResult::Found);
    QCOMPARE(maker(), u"华中制药"_s);

    QCOMPARE(search.search(u"青霉素"_s), SearchResult::NotFound);
    QCOMPARE(maker(), u"华中制药"_s);
    QCOMPARE(search.last(), SearchResult::NotFound);
}

QTEST_GUILESS_MAIN(TestMedicineRecords)
#include "test_medicine_records.moc"
