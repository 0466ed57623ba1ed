#include "catalogue_fixture.h"
#include "store/bound_recordset.h"
#include "transaction/medicine_lookup.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace transaction;
using store::Medicine;

class TestMedicineLookup final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lookup_data();
    void lookup();
    void choiceLine_data();
    void choiceLine();
    void filledRowKeepsWhatTheClerkTyped_data();
    void filledRowKeepsWhatTheClerkTyped();

private:
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
};

void TestMedicineLookup::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    testsupport::fillCatalogue(*m_scratch);
}

void TestMedicineLookup::cleanup()
{
    m_scratch.reset();
}

void TestMedicineLookup::lookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("byCode");
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("name, three matches in table order")
        << u"阿莫西林"_s << int(Lookup::Outcome::Found) << false << QStringList { u"AMXL"_s, u"AMXL2"_s, u"AMXL3"_s };
    QTest::newRow("code, other letter case")
        << u"amxl2"_s << int(Lookup::Outcome::Found) << true << QStringList { u"AMXL2"_s };
    QTest::newRow("a name wins over an equal code")
        << u"PTT"_s << int(Lookup::Outcome::Found) << false << QStringList { u"P01"_s };
    QTest::newRow("quote in the name") << u"O'Neil贴"_s << int(Lookup::Outcome::Found) << false
                                       << QStringList { u"ON"_s };
    QTest::newRow("neither name nor code")
        << u"不存在的药"_s << int(Lookup::Outcome::NotFound) << false << QStringList {};
    QTest::newRow("two characters, the shortest name")
        << u"甘草"_s << int(Lookup::Outcome::Found) << false << QStringList { u"GC"_s };
    QTest::newRow("one character") << u"阿"_s << int(Lookup::Outcome::TooShort) << false << QStringList {};
    QTest::newRow("empty") << QString() << int(Lookup::Outcome::TooShort) << false << QStringList {};
}

void TestMedicineLookup::lookup()
{
    QFETCH(QString, text);
    QFETCH(int, outcome);
    QFETCH(bool, byCode);
    QFETCH(QStringList, codes);

    store::BoundRecordset catalogue(m_scratch->db(), u"药品"_s);
    const Lookup found = LookupMedicine(catalogue, text);
    QCOMPARE(int(found.outcome), outcome);
    QCOMPARE(found.byCode, byCode);
    QStringList foundCodes;
    for (const Medicine& medicine : found.matches)
        foundCodes << medicine.code;
    QCOMPARE(foundCodes, codes);
}

void TestMedicineLookup::choiceLine_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << u"AMXL"_s
                           << u"品名: 阿莫西林 厂家: 华北制药 单价: 5.50 单位: 盒 规格: 0.25g*24 类型: 片剂"_s;
    QTest::newRow("empty maker gives two spaces")
        << u"AMXL3"_s << u"品名: 阿莫西林 厂家:  单价: 7.00 单位: 盒 规格: 0.25g*36 类型: 片剂"_s;
}

void TestMedicineLookup::choiceLine()
{
    QFETCH(QString, code);
    QFETCH(QString, line);
    store::BoundRecordset catalogue(m_scratch->db(), u"药品"_s);
    const Lookup found = LookupMedicine(catalogue, code);
    QCOMPARE(found.matches.size(), 1);
    QCOMPARE(ChoiceLine(found.matches.first()), line);
}

void TestMedicineLookup::filledRowKeepsWhatTheClerkTyped_data()
{
    QTest::addColumn<bool>("withPurchasePrice");
    QTest::addColumn<bool>("replaceName");
    QTest::newRow("lookup by name, stored entry") << true << false;
    QTest::newRow("choice taken, not-stored entry") << false << true;
}

void TestMedicineLookup::filledRowKeepsWhatTheClerkTyped()
{
    QFETCH(bool, withPurchasePrice);
    QFETCH(bool, replaceName);
    Line row;
    row.name = u"vc"_s;
    row.quantity = u"3"_s;
    row.amount = u"9.00"_s;
    row.batchNo = u"B1"_s;
    row.expiry = u"2006"_s;
    row.purchasePrice = u"old"_s;
    const Medicine medicine { u"维生素C"_s, u"VC"_s,   u"东北 制药 厂"_s, u"100 mg"_s,
                              u"大 瓶"_s,   u"2.00"_s, u"1.50"_s,         u"片剂"_s };
    fillRow(row, medicine, withPurchasePrice, replaceName);
    QCOMPARE(row.name, replaceName ? u"维生素C"_s : u"vc"_s);
    QCOMPARE(row.maker, u"东北 制药 厂"_s);
    QCOMPARE(row.spec, u"100 mg"_s);
    QCOMPARE(row.unit, u"大 瓶"_s);
    QCOMPARE(row.unitPrice, u"2.00"_s);
    QCOMPARE(row.drugType, u"片剂"_s);
    QCOMPARE(row.purchasePrice, withPurchasePrice ? u"1.50"_s : u"old"_s);
    QCOMPARE(row.quantity, u"3"_s);
    QCOMPARE(row.amount, u"9.00"_s);
    QCOMPARE(row.batchNo, u"B1"_s);
    QCOMPARE(row.expiry, u"2006"_s);
}

QTEST_MAIN(TestMedicineLookup)
#include "test_medicine_lookup.moc"
