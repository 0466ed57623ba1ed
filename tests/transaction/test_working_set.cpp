#include "support/fake_dialogs.h"
#include "transaction/clear_command.h"
#include "transaction/derived_values.h"
#include "transaction/page_storing.h"
#include "transaction/working_set.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace transaction;

namespace {

/** A row as the entry window shows it after a lookup, named after its row number. */
Line typedRow(int r, const QString& type = u"片剂"_s)
{
    Line row;
    row.purchasePrice = u"1.00"_s;
    row.name = u"药品%1"_s.arg(r);
    row.maker = u"厂%1"_s.arg(r);
    row.quantity = u"2"_s;
    row.unitPrice = u"1.5"_s;
    row.amount = u"3.00"_s;
    row.spec = u"10片"_s;
    row.unit = u"盒"_s;
    row.batchNo = u"B%1"_s.arg(r);
    row.expiry = u"2006-01"_s;
    row.drugType = type;
    return row;
}

/** A page with the given rows filled and the others empty. */
PageRows page(const QList<int>& filledRows)
{
    PageRows rows;
    for (int r : filledRows)
        rows[static_cast<size_t>(r - 1)] = typedRow(r);
    return rows;
}

const Line& line(int i)
{
    return workingSet().TransactionLines[static_cast<size_t>(i)];
}

} // namespace

class TestWorkingSet final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void continueStoresTenLines();
    void finishStoresFilledRowsContiguously();
    void storedLineFields_data();
    void storedLineFields();
    void storesNeverPassLine1000_data();
    void storesNeverPassLine1000();
    void onlyRefusedMedicinesAreReported_data();
    void onlyRefusedMedicinesAreReported();
    void runningTotals();
    void countsAndTotal();
    void clearKeepsWhatIsNotALine();
    void clearCommand_data();
    void clearCommand();

private:
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
};

void TestWorkingSet::init()
{
    workingSet() = WorkingSet {};
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
}

void TestWorkingSet::cleanup()
{
    QString problem;
    QVERIFY2(m_dialogs->verifyDone(&problem), qPrintable(problem));
    m_dialogs.reset();
}

void TestWorkingSet::continueStoresTenLines()
{
    WorkingSet& set = workingSet();
    StorePage(set, page({ 1, 2, 3 }), PurchasePrices::Kept);
    QCOMPARE(set.NextLine, 11);
    QCOMPARE(line(3).name, u"药品3"_s);
    for (int i = 4; i <= 10; ++i)
        QVERIFY(line(i).name.isEmpty());
    QCOMPARE(RefreshTotals(set).lastLineInUse, 3);

    StorePage(set, page({ 1, 2 }), PurchasePrices::Kept);
    QCOMPARE(set.NextLine, 21);
    QCOMPARE(line(11).name, u"药品1"_s);
    QCOMPARE(RefreshTotals(set).lastLineInUse, 12);

    // a page with nothing on it still takes ten lines
    StorePage(set, PageRows {}, PurchasePrices::Kept);
    QCOMPARE(set.NextLine, 31);
}

void TestWorkingSet::finishStoresFilledRowsContiguously()
{
    WorkingSet& set = workingSet();
    const StoreOutcome outcome = StoreFilledRows(set, page({ 1, 2, 5 }), PurchasePrices::Kept);
    QCOMPARE(outcome.stored, 3);
    QCOMPARE(outcome.firstRefusedRow, 0);
    QCOMPARE(line(1).name, u"药品1"_s);
    QCOMPARE(line(2).name, u"药品2"_s);
    QCOMPARE(line(3).name, u"药品5"_s);
    QVERIFY(line(4).name.isEmpty());
    QCOMPARE(set.NextLine, 4);
}

void TestWorkingSet::storedLineFields_data()
{
    QTest::addColumn<int>("prices");
    QTest::addColumn<QString>("purchasePrice");
    QTest::newRow("stored entry keeps the purchase price") << int(PurchasePrices::Kept) << u"1.00"_s;
    QTest::newRow("not-stored entry drops it") << int(PurchasePrices::Dropped) << QString();
}

void TestWorkingSet::storedLineFields()
{
    QFETCH(int, prices);
    QFETCH(QString, purchasePrice);
    WorkingSet& set = workingSet();
    set.TransactionLines[1].purchasePrice = u"9.99"_s; // left from an earlier sale
    PageRows rows = page({ 1 });
    rows[0].unitPrice = u"2.675元"_s;
    StorePage(set, rows, static_cast<PurchasePrices>(prices));

    Line expected = typedRow(1);
    expected.purchasePrice = purchasePrice;
    expected.unitPrice = u"2.68"_s;
    QCOMPARE(line(1).purchasePrice, expected.purchasePrice);
    QCOMPARE(line(1).unitPrice, expected.unitPrice);
    QCOMPARE(line(1).name, expected.name);
    QCOMPARE(line(1).maker, expected.maker);
    QCOMPARE(line(1).quantity, expected.quantity);
    QCOMPARE(line(1).amount, expected.amount);
    QCOMPARE(line(1).spec, expected.spec);
    QCOMPARE(line(1).unit, expected.unit);
    QCOMPARE(line(1).batchNo, expected.batchNo);
    QCOMPARE(line(1).expiry, expected.expiry);
    QCOMPARE(line(1).drugType, expected.drugType);
}

void TestWorkingSet::storesNeverPassLine1000_data()
{
    QTest::addColumn<int>("nextLine");
    QTest::addColumn<bool>("wholePage");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("firstRefusedRow");
    QTest::addColumn<QString>("line1000");

    // the page has every row filled but row 2
    QTest::newRow("continue, last page fits exactly") << 991 << true << 10 << 0 << u"药品10"_s;
    QTest::newRow("continue, half a page left") << 996 << true << 5 << 6 << u"药品5"_s;
    QTest::newRow("continue, full") << 1001 << true << 0 << 1 << QString();
    QTest::newRow("finish, one line left") << 1000 << false << 1 << 3 << u"药品1"_s;
    QTest::newRow("finish, full") << 1001 << false << 0 << 1 << QString();
}

void TestWorkingSet::storesNeverPassLine1000()
{
    QFETCH(int, nextLine);
    QFETCH(bool, wholePage);
    QFETCH(int, stored);
    QFETCH(int, firstRefusedRow);
    QFETCH(QString, line1000);

    WorkingSet& set = workingSet();
    set.NextLine = static_cast<qint16>(nextLine);
    const PageRows rows = page({ 1, 3, 4, 5, 6, 7, 8, 9, 10 });
    const StoreOutcome outcome
        = wholePage ? StorePage(set, rows, PurchasePrices::Kept) : StoreFilledRows(set, rows, PurchasePrices::Kept);
    QCOMPARE(outcome.stored, stored);
    QCOMPARE(outcome.firstRefusedRow, firstRefusedRow);
    QCOMPARE(set.NextLine, nextLine + stored);
    QCOMPARE(line(lineCapacity).name, line1000);
    QVERIFY(line(0).name.isEmpty());
    if (firstRefusedRow > 0)
        QVERIFY(refusedRowsMessage(firstRefusedRow).contains(u"第%1行"_s.arg(firstRefusedRow)));
}

void TestWorkingSet::onlyRefusedMedicinesAreReported_data()
{
    QTest::addColumn<int>("nextLine");
    QTest::addColumn<QList<int>>("filledRows");
    QTest::addColumn<int>("firstRefusedRow");

    QTest::newRow("continue at 996, rows 1 to 3") << 996 << QList<int> { 1, 2, 3 } << 0;
    QTest::newRow("continue, full, empty page") << 1001 << QList<int> {} << 0;
    QTest::newRow("refused empty rows before a medicine") << 996 << QList<int> { 1, 8 } << 8;
}

void TestWorkingSet::onlyRefusedMedicinesAreReported()
{
    QFETCH(int, nextLine);
    QFETCH(QList<int>, filledRows);
    QFETCH(int, firstRefusedRow);

    WorkingSet& set = workingSet();
    set.NextLine = static_cast<qint16>(nextLine);
    QCOMPARE(StorePage(set, page(filledRows), PurchasePrices::Kept).firstRefusedRow, firstRefusedRow);
}

void TestWorkingSet::runningTotals()
{
    WorkingSet& set = workingSet();
    QCOMPARE(RefreshTotals(set).total, u"0"_s);
    QCOMPARE(RefreshTotals(set).lastLineInUse, 0);

    set.TransactionLines[1].name = u"甲"_s;
    set.TransactionLines[1].amount = u"1.10"_s;
    set.TransactionLines[2].name = u"乙"_s;
    set.TransactionLines[2].amount = u"2.20"_s;
    set.TransactionLines[7].name = u"丙"_s;
    set.TransactionLines[7].amount = u"abc"_s;
    const RunningTotals totals = RefreshTotals(set);
    // 1.1 + 2.2 is 3.3000000000000003 as doubles; the label never shows the noise
    QCOMPARE(totals.total, u"3.3"_s);
    QCOMPARE(totals.lastLineInUse, 7);
}

void TestWorkingSet::countsAndTotal()
{
    WorkingSet& set = workingSet();
    for (int i = 1; i <= 9; ++i)
        set.TransactionLines[static_cast<size_t>(i)] = typedRow(i, u"片剂"_s);
    set.TransactionLines[10] = typedRow(10, u"针剂"_s);
    set.TransactionLines[11] = typedRow(11, u"中成药"_s); // no zone: not counted, still in the total
    set.TransactionLines[12] = typedRow(12, u"片剂 "_s);
    set.TransactionLines[12].amount = u"0.05"_s;

    TallyTypes(set);
    TotalAndWords(set);
    QCOMPARE(set.TypedLineCount, 10);
    QCOMPARE(set.SlipPageCount, 3); // nine tablets fill two pages, one injection a third
    QCOMPARE(set.TotalAmount, 33.05);
    QCOMPARE(set.TotalInWords, u"叁拾叁元伍分整"_s);

    workingSet() = WorkingSet {};
    TotalAndWords(workingSet());
    QCOMPARE(workingSet().TotalInWords, u" 整"_s);
}

void TestWorkingSet::clearKeepsWhatIsNotALine()
{
    WorkingSet& set = workingSet();
    StorePage(set, page({ 2 }), PurchasePrices::Kept);
    set.CustomerUnit = u"仁和药店"_s;
    set.SerialText = u"XH00000000007Q"_s;
    set.TotalAmount = 3.0;
    set.StoredFlag = false;
    QVERIFY(!set.hasContent()); // line 1 is empty although line 2 is in use

    set.ClearLines();
    QCOMPARE(set.NextLine, 1);
    QVERIFY(line(2).name.isEmpty());
    QVERIFY(line(2).amount.isEmpty());
    QCOMPARE(line(2).purchasePrice, u"1.00"_s);
    QCOMPARE(set.CustomerUnit, u"仁和药店"_s);
    QCOMPARE(set.SerialText, u"XH00000000007Q"_s);
    QCOMPARE(set.TotalAmount, 3.0);
    QCOMPARE(set.StoredFlag, false);
}

void TestWorkingSet::clearCommand_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    QTest::newRow("OK clears") << true << u"交易内容已清空!"_s;
    QTest::newRow("Cancel keeps") << false << u"操作已取消!"_s;
}

void TestWorkingSet::clearCommand()
{
    QFETCH(bool, ok);
    QFETCH(QString, message);
    StorePage(workingSet(), page({ 1 }), PurchasePrices::Kept);
    m_dialogs->expect(u"真的要清空当前交易吗?"_s, ok ? platform::Answer::Ok : platform::Answer::Cancel);
    m_dialogs->expect(message);

    confirmAndClear();
    QCOMPARE(workingSet().hasContent(), !ok);
    QCOMPARE(workingSet().NextLine, ok ? 1 : 11);
    const auto& shown = m_dialogs->shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).prompt.title, u"警告!"_s);
    QCOMPARE(shown.at(0).prompt.buttons, platform::Buttons::OkCancel);
    QCOMPARE(shown.at(1).prompt.buttons, platform::Buttons::Ok);
}

QTEST_MAIN(TestWorkingSet)
#include "test_working_set.moc"
