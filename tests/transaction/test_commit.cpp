#include "store/statements.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "transaction/commit.h"
#include "transaction/serial_number.h"
#include "transaction/working_set.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace transaction;

namespace {

const QString unit = u"仁和药店"_s;

Line typedRow(const QString& name, const QString& amount, const QString& type = u"片剂"_s)
{
    Line row;
    row.purchasePrice = u"1.00"_s;
    row.name = name;
    row.maker = name + u"厂"_s;
    row.quantity = u"2"_s;
    row.unitPrice = u"1.5"_s;
    row.amount = amount;
    row.spec = u"10片"_s;
    row.unit = u"盒"_s;
    row.batchNo = u"B-"_s + name;
    row.expiry = u"2006-01"_s;
    row.drugType = type;
    return row;
}

PageRows lastPage()
{
    PageRows rows;
    rows[0] = typedRow(u"甲"_s, u"3.00"_s);
    rows[1] = typedRow(u"乙"_s, u"4.50"_s, u"针剂"_s);
    rows[4] = typedRow(u"丙"_s, u"0.05"_s, u"中成药"_s);
    return rows;
}

FinishRequest storedFinish(const PageRows& rows = lastPage())
{
    FinishRequest request;
    request.rows = rows;
    request.unit = unit;
    request.saleDate = QDate(2004, 7, 5);
    return request;
}

} // namespace

class TestCommit final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formatSerial_data();
    void formatSerial();
    void finishWritesEveryLineInUse();
    void serialTaken_data();
    void serialTaken();
    void notStoredFinishWritesNoLine();
    void failedFinishLeavesEverythingAsItWas_data();
    void failedFinishLeavesEverythingAsItWas();

private:
    QList<QStringList> unitRecords() { return m_scratch->rows(unit); }
    QString storedSerial() { return m_scratch->rows(u"流水号"_s).value(0).value(0); }

    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
};

void TestCommit::init()
{
    workingSet() = WorkingSet {};
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    QVERIFY(store::createTable(m_scratch->db(), unit, store::transactionTableColumns()));
}

void TestCommit::cleanup()
{
    m_scratch.reset();
}

void TestCommit::formatSerial_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("printed");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("one digit") << u"7"_s << u"XH00000000007Q"_s;
    QTest::newRow("five digits") << u"12345"_s << u"XH00000012345Q"_s;
    QTest::newRow("eleven digits") << u"12345678901"_s << u"XH12345678901Q"_s;
    QTest::newRow("twelve digits unchanged") << u"123456789012"_s << u"123456789012"_s;
}

void TestCommit::formatSerial()
{
    QFETCH(QString, serial);
    QFETCH(QString, printed);
    QCOMPARE(FormatSerial(serial), printed);
}

void TestCommit::finishWritesEveryLineInUse()
{
    WorkingSet& set = workingSet();
    PageRows firstPage;
    firstPage[0] = typedRow(u"丁"_s, u"10.00"_s);
    StorePage(set, firstPage, PurchasePrices::Kept);
    set.StoredFlag = false;

    const FinishResult result = finishSale(m_scratch->db(), set, storedFinish());
    QVERIFY(result.succeeded());
    QCOMPARE(result.firstRefusedRow, 0);

    const QList<QStringList> records = unitRecords();
    QCOMPARE(records.size(), 4);
    // columns: 交易年 交易月 交易日 交易药品名 产地 数量 单价 金额 批号 有效期 单位 规格
    QCOMPARE(records.at(0),
             (QStringList { u" 2004"_s, u" 7"_s, u" 5"_s, u"丁"_s, u"丁厂"_s, u"2"_s, u"1.50"_s, u"10.00"_s, u"B-丁"_s,
                            u"2006-01"_s, u"盒"_s, u"10片"_s }));
    QCOMPARE(records.at(1).at(3), u"甲"_s); // line 11: the last page follows the continued one
    QCOMPARE(records.at(2).at(3), u"乙"_s);
    QCOMPARE(records.at(3).at(3), u"丙"_s); // row 5 takes the line after row 2

    QCOMPARE(set.NextLine, 14);
    QCOMPARE(set.TransactionLines[13].name, u"丙"_s);
    QCOMPARE(set.TypedLineCount, 3);
    QCOMPARE(set.SlipPageCount, 2);
    QCOMPARE(set.TotalAmount, 17.55);
    QCOMPARE(set.TotalInWords, u"壹拾柒元伍角伍分整"_s);
    QCOMPARE(set.SerialText, u"XH00000000001Q"_s);
    QCOMPARE(set.CustomerUnit, unit);
    QCOMPARE(set.StoredFlag, true);
    QCOMPARE(storedSerial(), u"2"_s);
}

void TestCommit::serialTaken_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("writtenBack");
    QTest::newRow("plain") << u"7"_s << u"XH00000000007Q"_s << u"8"_s;
    QTest::newRow("empty field") << QString() << QString() << u"1"_s;
    QTest::newRow("leading zeros") << u"00012"_s << u"XH00000000012Q"_s << u"13"_s;
    QTest::newRow("twelve digits") << u"123456789012"_s << u"123456789012"_s << u"123456789013"_s;
}

void TestCommit::serialTaken()
{
    QFETCH(QString, serial);
    QFETCH(QString, printed);
    QFETCH(QString, writtenBack);
    QVERIFY(m_scratch->db().exec(u"UPDATE \"流水号\" SET \"流水号\" = ?"_s, { serial.isNull() ? u""_s : serial }));

    // a finish with no filled row still takes a serial number, and writes no record
    const FinishResult result = finishSale(m_scratch->db(), workingSet(), storedFinish(PageRows {}));
    QVERIFY(result.succeeded());
    QCOMPARE(workingSet().SerialText, printed);
    QCOMPARE(storedSerial(), writtenBack);
    QVERIFY(unitRecords().isEmpty());
}

void TestCommit::notStoredFinishWritesNoLine()
{
    FinishRequest request = storedFinish();
    request.unit.clear();
    request.appendsLines = false;
    request.storedFlag = false;
    request.purchasePrices = PurchasePrices::Dropped;

    const FinishResult result = finishSale(m_scratch->db(), workingSet(), request);
    QVERIFY(result.succeeded());
    QVERIFY(unitRecords().isEmpty());
    QCOMPARE(storedSerial(), u"2"_s);
    QCOMPARE(workingSet().StoredFlag, false);
    QCOMPARE(workingSet().TransactionLines[1].name, u"甲"_s);
    QVERIFY(workingSet().TransactionLines[1].purchasePrice.isEmpty());
}

void TestCommit::failedFinishLeavesEverythingAsItWas_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("problem");
    QTest::newRow("no unit chosen") << u"no unit"_s << int(FinishResult::Problem::NoUnit);
    QTest::newRow("unit table missing") << u"no table"_s << int(FinishResult::Problem::UnitTableMissing);
    QTest::newRow("serial record missing") << u"no serial record"_s << int(FinishResult::Problem::SerialMissing);
    QTest::newRow("serial table missing") << u"no serial table"_s << int(FinishResult::Problem::SerialMissing);
    QTest::newRow("third line cannot be written") << u"write fails"_s << int(FinishResult::Problem::WriteFailed);
}

void TestCommit::failedFinishLeavesEverythingAsItWas()
{
    QFETCH(QString, fault);
    QFETCH(int, problem);

    platform::Database& db = m_scratch->db();
    QVERIFY(db.exec(u"INSERT INTO \"仁和药店\" (\"交易药品名\") VALUES ('earlier sale')"_s));
    FinishRequest request = storedFinish();
    if (fault == u"no unit")
        request.unit.clear();
    else if (fault == u"no table")
        request.unit = u"已删除药店"_s;
    else if (fault == u"no serial record")
        QVERIFY(db.exec(u"DELETE FROM \"流水号\""_s));
    else if (fault == u"no serial table")
        QVERIFY(store::dropTable(db, u"流水号"_s));
    else
        QVERIFY(
            db.exec(u"CREATE TRIGGER full_disk BEFORE INSERT ON \"仁和药店\" "
                    u"WHEN (SELECT count(*) FROM \"仁和药店\") >= 3 BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s));

    WorkingSet& set = workingSet();
    set.SerialText = u"XH00000000005Q"_s;
    set.CustomerUnit = u"上一单位"_s;
    set.StoredFlag = false;
    const QString serialBefore = fault == u"no serial table" ? QString() : storedSerial();

    const FinishResult result = finishSale(db, set, request);
    QCOMPARE(int(result.problem), problem);
    QVERIFY(!finishProblemMessage(result.problem).isEmpty());

    QCOMPARE(unitRecords().size(), 1);
    if (fault != u"no serial table")
        QCOMPARE(storedSerial(), serialBefore);
    QVERIFY(!db.inTransaction());
    QCOMPARE(set.NextLine, 1);
    QVERIFY(!set.hasContent());
    QCOMPARE(set.SerialText, u"XH00000000005Q"_s);
    QCOMPARE(set.CustomerUnit, u"上一单位"_s);
    QCOMPARE(set.StoredFlag, false);

    // put right, the same finish goes through whole
    if (fault == u"write fails") {
        QVERIFY(db.exec(u"DROP TRIGGER full_disk"_s));
        QVERIFY(finishSale(db, set, request).succeeded());
        QCOMPARE(unitRecords().size(), 4);
        QCOMPARE(storedSerial(), u"2"_s);
    }
}

QTEST_MAIN(TestCommit)
#include "test_commit.moc"
