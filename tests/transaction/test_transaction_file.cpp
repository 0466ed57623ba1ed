#include "support/file_size_limit.h"
#include "support/scratch_database.h"
#include "transaction/transaction_file.h"
#include "transaction/working_set.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace transaction;

namespace {

const QString unit = u"仁和药店"_s;

Line line(int i, const QString& type = u"片剂"_s)
{
    const QString n = QString::number(i);
    return { u"1.0"_s + n, u"药品"_s + n, u"厂家"_s + n, n,         u"2.50"_s, u"5.00"_s,
             u"10片"_s,    u"盒"_s,       u"B"_s + n,    u"2006"_s, type };
}

/** A working set with lines 1 to count in use. */
WorkingSet filled(int count)
{
    WorkingSet set;
    for (int i = 1; i <= count; ++i)
        set.TransactionLines[static_cast<size_t>(i)] = line(i);
    set.NextLine = static_cast<qint16>(count + 1);
    set.CustomerUnit = unit;
    return set;
}

PageRows page(const QList<int>& filledRows)
{
    PageRows rows;
    for (int r : filledRows)
        rows[static_cast<size_t>(r - 1)] = line(100 + r);
    return rows;
}

/** A file in the program's format, by hand: the unit, then the given fields, then empty fields up to a full file. */
QByteArray handWritten(const QByteArray& unitField, const QList<QByteArray>& fields = {}, bool closing = true)
{
    QByteArray bytes = unitField + "\r\n";
    for (const QByteArray& field : fields)
        bytes += field + "\r\n";
    const qsizetype total = 1000 * 11 + (closing ? 11 : 0);
    for (qsizetype i = fields.size(); i < total; ++i)
        bytes += "\"\"\r\n";
    return bytes;
}

QByteArray gbk(const QString& text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

} // namespace

class TestTransactionFile final : public QObject
{
    Q_OBJECT

private slots:
    void fileName_data();
    void fileName();
    void writtenBytes();
    void roundTrip_data();
    void roundTrip();
    void handWrittenFiles_data();
    void handWrittenFiles();
    void damagedFiles_data();
    void damagedFiles();
    void codePage936_data();
    void codePage936();

    void pageSlots_data();
    void pageSlots();
    void saves_data();
    void saves();
    void mainSaveEntryRead();
    void entryReadFailure();
    void mainRead();
    void cutShortSaveKeepsEarlierFile_data();
    void cutShortSaveKeepsEarlierFile();
    void mainReadKeepsAGap();
};

void TestTransactionFile::fileName_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << unit << u"仁和药店.dat"_s;
    QTest::newRow("star at the end") << u"x*"_s << u"x.dat"_s;
    // the last character goes, whatever it is, once a star is anywhere
    QTest::newRow("star inside") << u"a*b"_s << u"a*.dat"_s;
}

void TestTransactionFile::fileName()
{
    QFETCH(QString, unit);
    QFETCH(QString, file);
    QCOMPARE(TransactionFileName(unit), file);
}

void TestTransactionFile::writtenBytes()
{
    TransactionFileContent content { unit, { line(1) } };
    const QByteArray bytes = encodeTransactionFile(content);
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 11012 + 1); // the text after the last line end is empty
    QVERIFY(lines.last().isEmpty());
    // GBK bytes of 仁和药店, quoted, CR LF
    QCOMPARE(lines.at(0), QByteArray::fromHex("22c8cabacdd2a9b5ea220d"));
    QCOMPARE(lines.at(1), QByteArray("\"1.01\"\r"));
    QCOMPARE(lines.at(2), "\"" + gbk(u"药品1"_s) + "\"\r");
    QCOMPARE(lines.at(12), QByteArray("\"\"\r"));
    QCOMPARE(lines.at(11011), QByteArray("\"\"\r"));
}

void TestTransactionFile::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("Chinese") << u"阿莫西林胶囊"_s;
    QTest::newRow("beyond GBK") << u"𠀀€"_s;
    QTest::newRow("quote inside") << u"O\"Neil\"贴"_s;
    QTest::newRow("quote alone") << u"\""_s;
    QTest::newRow("comma and spaces") << u"  a, b  "_s;
}

void TestTransactionFile::roundTrip()
{
    QFETCH(QString, text);
    TransactionFileContent content { text + u"*"_s, {} };
    content.lines.resize(lineCapacity);
    content.lines[0] = line(1);
    content.lines[0].name = text;
    content.lines[999].drugType = text;

    const std::optional<TransactionFileContent> read = decodeTransactionFile(encodeTransactionFile(content));
    QVERIFY(read);
    QCOMPARE(read->unit, content.unit);
    QCOMPARE(read->lines.size(), lineCapacity);
    QCOMPARE(read->lines[0].name, text);
    QCOMPARE(read->lines[0].maker, u"厂家1"_s);
    QCOMPARE(read->lines[999].drugType, text);
}

void TestTransactionFile::handWrittenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("maker");

    const QByteArray unitField = "\"" + gbk(unit) + "\"";
    QTest::newRow("as written") << handWritten(unitField, { "\"2.00\"", "\"" + gbk(u"甲"_s) + "\"", "\"M\"" }) << unit
                                << u"甲"_s << u"M"_s;
    QTest::newRow("no closing record") << handWritten(unitField, { "\"\"", "\"A\"" }, false) << unit << u"A"_s
                                       << QString();
    QTest::newRow("leading spaces, unquoted")
        << handWritten("  " + unitField, { "", "  A", "B C" }) << unit << u"A"_s << u"B C"_s;
    QTest::newRow("fields split at commas") << handWritten(unitField, { "\"\",\"A\",  M" }) << unit << u"A"_s << u"M"_s;
    QTest::newRow("text after the closing quote")
        << handWritten(unitField, { "\"\"", "\"A\"xyz" }) << unit << u"A"_s << QString();
    QTest::newRow("LF only") << handWritten(unitField, { "\"\"", "\"A\"" }).replace("\r\n", "\n") << unit << u"A"_s
                             << QString();
    QTest::newRow("trailing text ignored")
        << handWritten(unitField, { "\"\"", "\"A\"" }) + "garbage \"" << unit << u"A"_s << QString();
}

void TestTransactionFile::handWrittenFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, unit);
    QFETCH(QString, name);
    QFETCH(QString, maker);
    const std::optional<TransactionFileContent> read = decodeTransactionFile(bytes);
    QVERIFY(read);
    QCOMPARE(read->unit, unit);
    QCOMPARE(read->lines[0].name, name);
    QCOMPARE(read->lines[0].maker, maker);
}

void TestTransactionFile::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray whole = handWritten("\"u\"");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one field short") << whole.left(whole.size() - 12 * 4);
    QTest::newRow("quote not closed on its line") << handWritten("\"u\"", { "\"abc" });
    QTest::newRow("neither code page") << handWritten("\"\x81\x7f\"");
    QByteArray noise(200000, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    QTest::newRow("binary noise") << noise;
    QTest::newRow("one enormous line") << QByteArray(8 * 1024 * 1024, 'x');
}

void TestTransactionFile::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!decodeTransactionFile(bytes));
}

void TestTransactionFile::codePage936_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("written"); // false: read only

    QTest::newRow("euro sign is the byte 0x80") << u"€5"_s << QByteArray::fromHex("8035") << true;
    QTest::newRow("euro sign of GB18030 read") << u"€"_s << QByteArray::fromHex("a2e3") << false;
    QTest::newRow("0xFF") << u"\uf8f5"_s << QByteArray::fromHex("ff") << true;
    QTest::newRow("0x80 as a second byte") << u"亐"_s << QByteArray::fromHex("8180") << true;
    QTest::newRow("Chinese around it") << u"药€品"_s << QByteArray::fromHex("d2a980c6b7") << true;
    // a character code page 936 lacks keeps GB18030's four bytes
    QTest::newRow("four bytes, then 0x80") << u"𠀀€"_s << QByteArray::fromHex("9532823680") << true;
}

void TestTransactionFile::codePage936()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, written);

    const std::optional<TransactionFileContent> read
        = decodeTransactionFile(handWritten("\"u\"", { "\"\"", "\"" + bytes + "\"" }));
    QVERIFY(read);
    QCOMPARE(read->lines[0].name, text);
    if (written) {
        Line named;
        named.name = text;
        const QList<QByteArray> lines = encodeTransactionFile({ u"u"_s, { named } }).split('\n');
        QCOMPARE(lines.at(2), "\"" + bytes + "\"\r");
    }
}

void TestTransactionFile::pageSlots_data()
{
    QTest::addColumn<int>("linesInUse");
    QTest::addColumn<QList<int>>("filledRows");
    QTest::addColumn<QList<int>>("slotsFromPage"); // slot numbers that hold rows 1, 2, …

    QTest::newRow("three rows after ten lines") << 10 << QList<int> { 1, 2, 3 } << QList<int> { 11, 12, 13 };
    QTest::newRow("a row after an empty row stays") << 0 << QList<int> { 1, 3 } << QList<int> { 1 };
    QTest::newRow("fewer free slots than rows") << 998 << QList<int> { 1, 2, 3 } << QList<int> { 999, 1000 };
    QTest::newRow("no free slot") << 1000 << QList<int> { 1, 2 } << QList<int> {};
}

void TestTransactionFile::pageSlots()
{
    QFETCH(int, linesInUse);
    QFETCH(QList<int>, filledRows);
    QFETCH(QList<int>, slotsFromPage);
    WorkingSet set = filled(linesInUse);
    // a free slot's old purchase price is not written with the page
    set.TransactionLines[static_cast<size_t>(std::min(linesInUse + 5, lineCapacity))].purchasePrice = u"9"_s;

    const QList<Line> lines = slotsWithPage(set, page(filledRows));
    QCOMPARE(lines.size(), lineCapacity);
    for (int slot = 1; slot <= lineCapacity; ++slot) {
        const Line& written = lines.at(slot - 1);
        const qsizetype fromPage = slotsFromPage.indexOf(slot);
        if (slot <= linesInUse)
            QCOMPARE(written.name, line(slot).name);
        else if (fromPage >= 0)
            QCOMPARE(written.name, line(101 + static_cast<int>(fromPage)).name);
        else
            QVERIFY2(written.name.isEmpty() && written.purchasePrice.isEmpty(), qPrintable(QString::number(slot)));
    }
}

void TestTransactionFile::saves_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("fromMain");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("file");

    QTest::newRow("main") << unit << true << int(SaveOutcome::Saved) << u"仁和药店.dat"_s;
    QTest::newRow("entry, star") << u"x*"_s << false << int(SaveOutcome::Saved) << u"x.dat"_s;
    QTest::newRow("main, no unit") << QString() << true << int(SaveOutcome::NoContent) << QString();
    QTest::newRow("entry, no unit") << QString() << false << int(SaveOutcome::NotAFileName) << QString();
    QTest::newRow("slash") << u"a/b"_s << true << int(SaveOutcome::NotAFileName) << QString();
    QTest::newRow("star alone") << u"*"_s << false << int(SaveOutcome::NotAFileName) << QString();
    QTest::newRow("full-width punctuation")
        << u"第一医院（东城）"_s << true << int(SaveOutcome::Saved) << u"第一医院（东城）.dat"_s;
    QTest::newRow("backslash") << u"a\\b"_s << true << int(SaveOutcome::NotAFileName) << QString();
    QTest::newRow("control character") << u"a\u0001b"_s << false << int(SaveOutcome::NotAFileName) << QString();
    QTest::newRow("ideographic space") << u"仁和　药店"_s << true << int(SaveOutcome::NotAFileName) << QString();
}

void TestTransactionFile::saves()
{
    QFETCH(QString, unit);
    QFETCH(bool, fromMain);
    QFETCH(int, outcome);
    QFETCH(QString, file);
    QTemporaryDir folder;
    WorkingSet set = filled(2);
    set.CustomerUnit = unit;

    const SaveOutcome saved = fromMain ? SaveTransactionFile(set, folder.path())
                                       : SaveTransactionFile(set, unit, page({ 1 }), folder.path());
    QCOMPARE(int(saved), outcome);
    QCOMPARE(saveMessage(saved).isEmpty(), saved == SaveOutcome::Saved);
    const QStringList written = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(written, file.isEmpty() ? QStringList() : QStringList { file });
    if (!file.isEmpty()) {
        const std::optional<TransactionFileContent> read = readTransactionFile(folder.filePath(file));
        QVERIFY(read);
        QCOMPARE(read->unit, unit);
    }
}

void TestTransactionFile::mainSaveEntryRead()
{
    QTemporaryDir folder;
    WorkingSet saved = filled(12);
    saved.TransactionLines[20].purchasePrice = u"7.00"_s;
    QCOMPARE(SaveTransactionFile(saved, folder.path()), SaveOutcome::Saved);

    WorkingSet set = filled(30);
    set.CustomerUnit.clear();
    set.SerialText = u"XH00000000009Q"_s;
    QVERIFY(ReadTransactionFile(set, unit, folder.path()));
    QCOMPARE(set.CustomerUnit, unit);
    QCOMPARE(set.NextLine, 13);
    for (int i = 1; i <= 12; ++i)
        QCOMPARE(set.TransactionLines[static_cast<size_t>(i)].batchNo, line(i).batchNo);
    QVERIFY(set.TransactionLines[13].name.isEmpty());
    // the main window's save writes free slots as they are
    QCOMPARE(set.TransactionLines[20].purchasePrice, u"7.00"_s);
    QCOMPARE(set.SerialText, u"XH00000000009Q"_s);

    QVERIFY(QDir(folder.path()).rename(u"仁和药店.dat"_s, u"x.dat"_s));
    QVERIFY(ReadTransactionFile(set, u"x*"_s, folder.path()));
}

void TestTransactionFile::entryReadFailure()
{
    QTemporaryDir folder;
    WorkingSet set = filled(5);
    QVERIFY(!ReadTransactionFile(set, u"从未保存"_s, folder.path()));
    QVERIFY(!set.hasContent());
    QCOMPARE(set.NextLine, 1);
}

void TestTransactionFile::mainRead()
{
    testsupport::ScratchDatabase scratch(true);
    WorkingSet saved = filled(9);
    saved.TransactionLines[9].drugType = u"器械"_s;
    QCOMPARE(SaveTransactionFile(saved, scratch.folder()), SaveOutcome::Saved);
    const QString path = QDir(scratch.folder()).filePath(u"仁和药店.dat"_s);

    WorkingSet set;
    set.StoredFlag = false;
    QVERIFY(ReadTransactionFile(scratch.db(), set, path));
    QCOMPARE(set.NextLine, 10);
    QCOMPARE(set.TypedLineCount, 9);
    QCOMPARE(set.SlipPageCount, 2);
    QCOMPARE(set.TotalAmount, 45.0);
    QCOMPARE(set.TotalInWords, u"肆拾伍元整"_s);
    QCOMPARE(set.SerialText, u"XH00000000001Q"_s);
    QVERIFY(!set.StoredFlag);
    QVERIFY(ReadTransactionFile(scratch.db(), set, path));
    QCOMPARE(set.SerialText, u"XH00000000002Q"_s);

    // a damaged file, and a serial that cannot be taken: the lines are cleared and no serial goes
    QFile damaged(QDir(scratch.folder()).filePath(u"坏.dat"_s));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("\"坏\"\r\n");
    damaged.close();
    QVERIFY(!ReadTransactionFile(scratch.db(), set, damaged.fileName()));
    QVERIFY(!set.hasContent());
    QVERIFY(scratch.db().exec(u"DELETE FROM \"流水号\""_s));
    QVERIFY(!ReadTransactionFile(scratch.db(), set, path));
    QVERIFY(!set.hasContent());
    QCOMPARE(set.SerialText, u"XH00000000002Q"_s);
}

void TestTransactionFile::cutShortSaveKeepsEarlierFile_data()
{
    QTest::addColumn<bool>("fromMain");
    QTest::newRow("main window") << true;
    QTest::newRow("entry window") << false;
}

void TestTransactionFile::cutShortSaveKeepsEarlierFile()
{
    QFETCH(bool, fromMain);
    QTemporaryDir folder;
    QCOMPARE(SaveTransactionFile(filled(3), folder.path()), SaveOutcome::Saved);
    const QString path = folder.filePath(u"仁和药店.dat"_s);
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    const QByteArray earlierBytes = earlier.readAll();
    earlier.close();

    const WorkingSet set = filled(12);
    SaveOutcome outcome = SaveOutcome::Saved;
    {
        // far below a whole file, which holds at least 11012 lines
        testsupport::FileSizeLimit limit(16 * 1024);
        QVERIFY(limit.isActive());
        outcome = fromMain ? SaveTransactionFile(set, folder.path())
                           : SaveTransactionFile(set, unit, page({ 1, 2 }), folder.path());
    }

    QCOMPARE(outcome, SaveOutcome::WriteFailed);
    QCOMPARE(saveMessage(outcome), u"存盘文件写入失败,交易未能保存!"_s);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), earlierBytes);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"仁和药店.dat"_s });
}

void TestTransactionFile::mainReadKeepsAGap()
{
    // a continue stores blank rows too: line 3 is blank inside the sale
    testsupport::ScratchDatabase scratch(true);
    WorkingSet saved = filled(5);
    saved.TransactionLines[3] = Line {};
    QCOMPARE(SaveTransactionFile(saved, scratch.folder()), SaveOutcome::Saved);

    WorkingSet set;
    QVERIFY(ReadTransactionFile(scratch.db(), set, QDir(scratch.folder()).filePath(u"仁和药店.dat"_s)));
    QCOMPARE(set.NextLine, 6);
    QVERIFY(set.TransactionLines[3].name.isEmpty());
    QCOMPARE(set.TransactionLines[4].name, line(4).name);
    QCOMPARE(set.TransactionLines[5].name, line(5).name);
    QCOMPARE(set.TypedLineCount, 4);
}

QTEST_MAIN(TestTransactionFile)
#include "test_transaction_file.moc"
