#include "platform/csv_export.h"
#include "platform/picture_text.h"
#include "platform/table_output.h"
#include "platform/table_print.h"
#include "platform/table_rows.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/fake_progress_bar.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList headings { u"名称"_s, u"备注"_s, u"说明"_s, u"年"_s, u"金额"_s };
// A comma, quotes, a line break inside a field and a leading blank: each must come back as it was.
const QStringList awkwardRow { u"阿莫西林, 胶囊"_s, u"说\"好\""_s, u"第一行\n第二行"_s, u" 2003"_s, u"12.50"_s };
const QString awkwardText
    = u"名称,备注,说明,年,金额\r\n\"阿莫西林, 胶囊\",\"说\"\"好\"\"\",\"第一行\n第二行\",\" 2003\",12.50\r\n"_s;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

/** Many rows, so that an export reports its progress more than once. */
QList<QStringList> manyRows(int count)
{
    QList<QStringList> rows;
    for (int i = 0; i < count; ++i)
        rows << QStringList { u"药品%1"_s.arg(i), u"备注"_s, u"说明"_s, u" 2003"_s, u"1.00"_s };
    return rows;
}

} // namespace

class TestTableExport final : public QObject
{
    Q_OBJECT

private slots:
    void csvBytes_data();
    void csvBytes();
    void failedWriteSaysSoAndLeavesNoFile();
    void cancelledExportLeavesNoFile_data();
    void cancelledExportLeavesNoFile();
    void cancelledDialogWritesNothing();
    void printsEveryRowAndTheClosingLines_data();
    void printsEveryRowAndTheClosingLines();
    void cancelledPrintIsGivenUp();
};

void TestTableExport::csvBytes_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8 with byte-order mark") << 0 << QByteArray("\xEF\xBB\xBF") + awkwardText.toUtf8();
    // GBK bytes as another encoder writes them
    QTest::newRow("GBK") << 1
                         << QByteArray::fromHex(
                                "c3fbb3c62cb1b8d7a22ccbb5c3f72cc4ea2cbdf0b6ee0d0a22b0a2c4aacef7c1d62c20b"
                                "dbac4d2222c22cbb52222bac32222222c22b5dad2bbd0d00ab5dab6fed0d0222c22203"
                                "2303033222c31322e35300d0a");
}

void TestTableExport::csvBytes()
{
    QFETCH(int, filter);
    QFETCH(QByteArray, bytes);
    testsupport::FakeDialogs dialogs;
    testsupport::FakeProgressBar progress;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"明细.csv"_s);
    dialogs.expectSaveFile(path, filter);
    dialogs.expect(u"已导出 1 行到文件：\n%1"_s.arg(QDir::toNativeSeparators(path)));
    platform::ListRows rows(headings, { awkwardRow });
    platform::exportTable(rows, u"明细"_s);
    QCOMPARE(fileBytes(path), bytes);
    QString problem;
    QVERIFY2(dialogs.verifyDone(&problem), qPrintable(problem));
}

void TestTableExport::failedWriteSaysSoAndLeavesNoFile()
{
    testsupport::FakeDialogs dialogs;
    testsupport::FakeProgressBar progress;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"明细.csv"_s);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QCOMPARE(old.write("old"), 3);
    }
    platform::ListRows rows(headings, manyRows(5000));
    dialogs.expectSaveFile(path);
    {
        testsupport::FileSizeLimit limit(4096);
        QVERIFY(limit.isActive());
        platform::exportTable(rows, u"明细"_s);
    }
    QCOMPARE(dialogs.shown().size(), 2);
    QVERIFY2(dialogs.shown().last().prompt.text.startsWith(u"导出失败，文件没有写成：\n"_s),
             qPrintable(dialogs.shown().last().prompt.text));
    // the file that was there stays as it was, and no temporary file is left beside it
    QCOMPARE(fileBytes(path), QByteArray("old"));
    QCOMPARE(filesIn(dir.path()), QStringList { u"明细.csv"_s });
}

void TestTableExport::cancelledExportLeavesNoFile_data()
{
    QTest::addColumn<int>("cancelAt");
    QTest::newRow("at the first part") << 1;
    QTest::newRow("at the last part") << 3;
}

void TestTableExport::cancelledExportLeavesNoFile()
{
    QFETCH(int, cancelAt);
    testsupport::FakeProgressBar progress;
    progress.cancelAt = cancelAt;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"明细.csv"_s);
    platform::ListRows rows(headings, manyRows(5000));
    const auto outcome = platform::writeCsvFile(path, rows, platform::CsvEncoding::Utf8WithBom);
    QCOMPARE(int(outcome.result), int(platform::ExportOutcome::Result::Cancelled));
    QVERIFY(filesIn(dir.path()).isEmpty());
    QCOMPARE(progress.totals, QList<qint64> { 5000 });
    QCOMPARE(progress.steps.size(), cancelAt);
    QCOMPARE(progress.ended, 1);
}

void TestTableExport::cancelledDialogWritesNothing()
{
    testsupport::FakeDialogs dialogs;
    testsupport::FakeProgressBar progress;
    QTemporaryDir dir;
    dialogs.expectSaveFile({});
    platform::ListRows rows(headings, { awkwardRow });
    platform::exportTable(rows, u"明细"_s);
    QVERIFY(filesIn(dir.path()).isEmpty());
    QVERIFY(progress.labels.isEmpty());
    // both encodings are offered, UTF-8 first
    QCOMPARE(dialogs.shown().first().prompt.text, u"CSV 文件 (UTF-8) (*.csv);;CSV 文件 (GBK) (*.csv)"_s);
    QString problem;
    QVERIFY2(dialogs.verifyDone(&problem), qPrintable(problem));
}

namespace {

const platform::TableHeading printHeading { u"交易明细"_s, u"单位: 甲"_s, { u"共计十行"_s } };

/** The texts drawn on a page, without the page number. */
QStringList pageTexts(const QPicture& page)
{
    QStringList texts;
    for (const auto& drawn : platform::textsOf(page))
        texts << drawn.text;
    return texts;
}

int rowsPerPage()
{
    return platform::TablePages(printHeading, headings, {}).rowsPerPage();
}

} // namespace

void TestTableExport::printsEveryRowAndTheClosingLines_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("no rows: the headings and the closing line") << 0 << 1;
    QTest::newRow("a full page: the closing line on a page of its own") << rowsPerPage() << 2;
    QTest::newRow("three pages") << 2 * rowsPerPage() + 5 << 3;
}

void TestTableExport::printsEveryRowAndTheClosingLines()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    testsupport::FakePageSink sink;
    testsupport::FakeProgressBar progress;
    testsupport::FakeDialogs dialogs;
    platform::ListRows table(headings, manyRows(rows));
    platform::printTable(table, printHeading);
    QCOMPARE(sink.pages.size(), pages);
    QCOMPARE(sink.jobs, QStringList { u"交易明细"_s });
    QCOMPARE(sink.pageSizesMm, QList<QSizeF> { QSizeF(297, 210) });
    QCOMPARE(sink.runsEnded, 1);
    QStringList printed;
    for (const QPicture& page : sink.pages) {
        const QStringList texts = pageTexts(page);
        QVERIFY(texts.contains(u"交易明细"_s) && texts.contains(u"单位: 甲"_s) && texts.contains(u"名称"_s));
        printed += texts.filter(u"药品"_s);
    }
    QCOMPARE(printed.size(), rows);
    if (rows > 0)
        QCOMPARE(printed.last(), u"药品%1"_s.arg(rows - 1));
    QVERIFY(pageTexts(sink.pages.last()).contains(u"共计十行"_s));
    QString problem;
    QVERIFY2(dialogs.verifyDone(&problem), qPrintable(problem));
}

void TestTableExport::cancelledPrintIsGivenUp()
{
    testsupport::FakePageSink sink;
    testsupport::FakeProgressBar progress;
    progress.cancelAt = 1;
    testsupport::FakeDialogs dialogs;
    dialogs.expect(u"打印已取消。"_s);
    platform::ListRows table(headings, manyRows(3 * rowsPerPage()));
    platform::printTable(table, printHeading);
    QCOMPARE(sink.pages.size(), 1);
    QCOMPARE(sink.runsAborted, 1);
    QCOMPARE(sink.runsEnded, 0);
    QString problem;
    QVERIFY2(dialogs.verifyDone(&problem), qPrintable(problem));
}

QTEST_MAIN(TestTableExport)
#include "test_table_export.moc"
