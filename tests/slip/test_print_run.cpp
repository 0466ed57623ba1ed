#include "page_replay.h"
#include "pdf_facts.h"
#include "platform/data_folder.h"
#include "platform/print_choice.h"
#include "platform/printer_page_sink.h"
#include "platform/top_level_windows.h"
#include "shell/letterhead.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "transaction/derived_values.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"
#include "users/current_user.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using transaction::workingSet;

namespace {

const QString clerk = u"张三"_s;
const QString serial = u"XH00000000001Q"_s;

/** Nine tablet lines and three device lines: three slip pages. */
void fillSale(const QString& tabletType = u"片剂"_s, const QString& deviceType = u"器械"_s)
{
    transaction::WorkingSet& set = workingSet();
    for (int i = 1; i <= 12; ++i) {
        transaction::Line& line = set.TransactionLines[static_cast<size_t>(i)];
        line.name = u"药品%1"_s.arg(i);
        line.quantity = u"2"_s;
        line.unitPrice = u"1.25"_s;
        line.amount = u"2.50"_s;
        line.drugType = i <= 9 ? tabletType : deviceType;
    }
    set.NextLine = 13;
    set.CustomerUnit = u"同济医院"_s;
    set.SerialText = serial;
    transaction::TallyTypes(set);
    transaction::TotalAndWords(set);
}

/** Every value of the working set, to see that printing changed none. */
QStringList snapshot()
{
    const transaction::WorkingSet& set = workingSet();
    QStringList values { QString::number(set.NextLine),
                         QString::number(set.TypedLineCount),
                         QString::number(set.SlipPageCount),
                         QString::number(set.TotalAmount, 'g', 17),
                         set.TotalInWords,
                         set.SerialText,
                         set.CustomerUnit,
                         set.StoredFlag ? u"stored"_s : u"not stored"_s };
    for (const transaction::Line& line : set.TransactionLines) {
        values << line.purchasePrice << line.name << line.maker << line.quantity << line.unitPrice << line.amount
               << line.spec << line.unit << line.batchNo << line.expiry << line.drugType;
    }
    return values;
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestPrintRun final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void refusal_data();
    void refusal();
    void layoutByStoredFlag_data();
    void layoutByStoredFlag();
    void printingTwiceChangesNothing();
    void noZonePages();
    void failingSink_data();
    void failingSink();
    void runMessage_data();
    void runMessage();
    void toFileWithoutPrinter_data();
    void toFileWithoutPrinter();
    void printerSetup();

private:
    /** Runs a main-window command and returns the print window it opened, if any. */
    QPointer<QWidget> run(const QString& command);

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::FakePageSink> m_sink;
    std::unique_ptr<testsupport::FakePrinterSetup> m_setup;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::ActivityLog> m_log;
    std::unique_ptr<shell::MainWindow> m_main;
    QString m_savedDataFolder;
};

void TestPrintRun::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_clock = std::make_unique<testsupport::FakeClock>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_sink = std::make_unique<testsupport::FakePageSink>();
    m_setup = std::make_unique<testsupport::FakePrinterSetup>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    m_log = std::make_unique<users::ActivityLog>(m_scratch->db(), clerk);
    users::setCurrentUser(clerk);
    users::setActivityLog(m_log.get());
    shell::setLetterhead(u"仁和医药"_s);
    m_savedDataFolder = platform::dataFolder();
    platform::setDataFolder(m_scratch->folder());
    workingSet() = transaction::WorkingSet {};
    m_main = std::make_unique<shell::MainWindow>(m_scratch->db());
    shell::wirePrintCommands(*m_main, m_scratch->db());
}

void TestPrintRun::cleanup()
{
    for (const QString& name : { u"dy"_s, u"dy1"_s })
        delete platform::topLevelWindow(name);
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    m_main.reset();
    users::setActivityLog(nullptr);
    users::setCurrentUser({});
    shell::setLetterhead({});
    platform::setDataFolder(m_savedDataFolder);
    m_log.reset();
    m_scratch.reset();
    m_setup.reset();
    m_sink.reset();
    m_dialogs.reset();
    m_clock.reset();
    m_timers.reset();
    QVERIFY2(done, qPrintable(problem));
}

QPointer<QWidget> TestPrintRun::run(const QString& command)
{
    m_main->runCommand(command);
    QWidget* window = platform::topLevelWindow(u"dy"_s);
    return window ? window : platform::topLevelWindow(u"dy1"_s);
}

void TestPrintRun::refusal_data()
{
    QTest::addColumn<int>("filledFrom");
    QTest::addColumn<QString>("command");
    QTest::newRow("empty working set") << 0 << u"print"_s;
    QTest::newRow("line 1 empty, later lines filled") << 2 << u"print"_s;
    QTest::newRow("toolbar image, line 1 empty") << 2 << u"Image14"_s;
}

void TestPrintRun::refusal()
{
    QFETCH(int, filledFrom);
    QFETCH(QString, command);
    if (filledFrom > 0) {
        fillSale();
        for (int i = 1; i < filledFrom; ++i)
            workingSet().TransactionLines[static_cast<size_t>(i)].name.clear();
    }
    m_dialogs->expect(u"当前没有交易内容!"_s);

    QVERIFY(run(command).isNull());
    const auto shown = m_dialogs->last().prompt;
    QCOMPARE(shown.title, QString()); // the application's title
    QCOMPARE(shown.icon, platform::Icon::None);
    QCOMPARE(shown.buttons, platform::Buttons::Ok);
    QVERIFY(m_sink->jobs.isEmpty());
}

void TestPrintRun::layoutByStoredFlag_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("sentenceEnd");
    QTest::addColumn<double>("widthMm");
    const QString dyEnd = u"概不退货,请慎重选择!]"_s;
    const QString dy1End = u"概不退货。请慎重选择！"_s;
    QTest::newRow("stored, menu") << true << u"print"_s << u"dy"_s << dyEnd << 11745 * 25.4 / 1440;
    QTest::newRow("not stored, menu") << false << u"print"_s << u"dy1"_s << dy1End << 11400 * 25.4 / 1440;
    QTest::newRow("stored, toolbar") << true << u"Image14"_s << u"dy"_s << dyEnd << 11745 * 25.4 / 1440;
    QTest::newRow("not stored, toolbar") << false << u"Image14"_s << u"dy1"_s << dy1End << 11400 * 25.4 / 1440;
}

void TestPrintRun::layoutByStoredFlag()
{
    QFETCH(bool, stored);
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(QString, sentenceEnd);
    QFETCH(double, widthMm);
    fillSale();
    workingSet().StoredFlag = stored;

    const QPointer<QWidget> shown = run(command);
    QVERIFY(shown);
    QCOMPARE(shown->objectName(), window);
    QCOMPARE(shown->windowTitle(), u"打印中......"_s);
    QVERIFY(shown->isVisible());
    QVERIFY(!shown->isModal());
    QVERIFY(shown->findChild<QTimer*>(u"Timer1"_s));
    QTRY_VERIFY(shown.isNull());

    QCOMPARE(m_sink->jobs, QStringList { serial });
    QCOMPARE(m_sink->runsEnded, 1);
    QCOMPARE(m_sink->pageSizesMm.size(), 1);
    QVERIFY(qAbs(m_sink->pageSizesMm.first().width() - widthMm) < 0.01);
    QVERIFY(qAbs(m_sink->pageSizesMm.first().height() - 4920 * 25.4 / 1440) < 0.01);
    QCOMPARE(m_sink->pages.size(), 3);
    QStringList numbers;
    for (const QPicture& page : std::as_const(m_sink->pages)) {
        const testsupport::DrawnPage drawn = testsupport::replay(page);
        QVERIFY(drawn.contains(sentenceEnd));
        for (const QString& number : { u"1/3"_s, u"2/3"_s, u"3/3"_s }) {
            if (drawn.contains(number))
                numbers << number;
        }
    }
    QCOMPARE(numbers, (QStringList { u"1/3"_s, u"2/3"_s, u"3/3"_s }));
}

void TestPrintRun::printingTwiceChangesNothing()
{
    fillSale();
    const QStringList before = snapshot();
    const QByteArray database = fileHash(m_scratch->path());
    QVERIFY(!database.isEmpty());

    const QPointer<QWidget> firstRun = run(u"print"_s);
    QTRY_VERIFY(firstRun.isNull());
    m_clock->set(QDateTime(QDate(2004, 7, 6), QTime(8, 0)));
    const QPointer<QWidget> secondRun = run(u"print"_s);
    QVERIFY(secondRun);
    QTRY_VERIFY(secondRun.isNull());

    QCOMPARE(m_sink->jobs, (QStringList { serial, serial }));
    QCOMPARE(m_sink->pages.size(), 6);
    const testsupport::DrawnPage first = testsupport::replay(m_sink->pages.at(0));
    const testsupport::DrawnPage again = testsupport::replay(m_sink->pages.at(3));
    QVERIFY(first.contains(serial) && again.contains(serial));
    // only the date differs: it is the day of printing
    QVERIFY(first.contains(u"05"_s) && !first.contains(u"06"_s));
    QVERIFY(again.contains(u"06"_s));
    QCOMPARE(snapshot(), before);
    QCOMPARE(fileHash(m_scratch->path()), database);
    QVERIFY(m_log->pending().isEmpty());
}

void TestPrintRun::noZonePages()
{
    fillSale(u"中药"_s, QString());
    const QPointer<QWidget> shown = run(u"print"_s);
    QVERIFY(shown);
    QTRY_VERIFY(shown.isNull());
    QVERIFY(m_sink->jobs.isEmpty());
    QVERIFY(m_sink->pages.isEmpty());
}

void TestPrintRun::failingSink_data()
{
    QTest::addColumn<bool>("atBegin");
    QTest::addColumn<int>("atPage");
    QTest::addColumn<int>("printed");
    QTest::addColumn<int>("aborted");
    QTest::addColumn<QString>("message");
    QTest::newRow("printer not ready") << true << -1 << 0 << 0 << u"打印失败：打印机未就绪"_s;
    QTest::newRow("first page fails") << false << 0 << 0 << 1 << u"打印失败：打印机错误"_s;
    QTest::newRow("second page fails") << false << 1 << 1 << 1 << u"打印失败：打印机错误"_s;
}

void TestPrintRun::failingSink()
{
    QFETCH(bool, atBegin);
    QFETCH(int, atPage);
    QFETCH(int, printed);
    QFETCH(int, aborted);
    QFETCH(QString, message);
    fillSale();
    m_sink->failAtBegin = atBegin;
    m_sink->failAtPage = atPage;
    m_dialogs->expect(message);

    const QPointer<QWidget> shown = run(u"print"_s);
    QVERIFY(shown);
    QTRY_VERIFY(shown.isNull());
    QCOMPARE(m_sink->pages.size(), printed);
    QCOMPARE(m_sink->runsAborted, aborted);
    QCOMPARE(m_sink->runsEnded, 0);
}

void TestPrintRun::runMessage_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("message");
    const QString kept = u"/data/slips/XH00000000001Q-20040705-090533.pdf"_s;
    const QString saved = u"销售清单已保存到文件：\n"_s + QDir::toNativeSeparators(kept);
    QTest::newRow("printed") << QString() << QString() << QString() << QString();
    QTest::newRow("refused by the print system, slip kept")
        << u"打印机“rejecting”不接受打印作业（out of forms）"_s << QString() << kept
        << u"打印失败：打印机“rejecting”不接受打印作业（out of forms）\n"_s + saved;
    QTest::newRow("no printer, slip kept with the reason")
        << QString() << u"没有可用的打印机。"_s << kept << u"没有可用的打印机。\n"_s + saved;
    QTest::newRow("printed on a form too small")
        << QString() << u"所选纸张的可打印范围小于销售清单，清单有一部分打印不出来。"_s << QString()
        << u"所选纸张的可打印范围小于销售清单，清单有一部分打印不出来。"_s;
    QTest::newRow("refused, and no file either")
        << u"打印系统在 5 秒内没有回应；无法写入文件 /data/slips/x.pdf"_s << QString() << QString()
        << u"打印失败：打印系统在 5 秒内没有回应；无法写入文件 /data/slips/x.pdf"_s;
}

void TestPrintRun::runMessage()
{
    QFETCH(QString, failure);
    QFETCH(QString, notice);
    QFETCH(QString, written);
    QFETCH(QString, message);
    fillSale();
    m_sink->endFailure = failure;
    m_sink->noticeText = notice;
    m_sink->written = written;
    if (!message.isEmpty())
        m_dialogs->expect(message);

    const QPointer<QWidget> shown = run(u"print"_s);
    QTRY_VERIFY(shown.isNull());
    QCOMPARE(m_sink->pages.size(), 3);
    QCOMPARE(m_sink->runsEnded, 1);
}

void TestPrintRun::toFileWithoutPrinter_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("chosenFile");
    QTest::addColumn<QSizeF>("pagePoints");
    QTest::newRow("no print system, stored layout") << true << QString() << QSizeF(587, 246);
    QTest::newRow("no print system, not-stored layout") << false << QString() << QSizeF(570, 246);
    QTest::newRow("printing to the file the user named") << true << u"清单/第一张.pdf"_s << QSizeF(587, 246);
}

void TestPrintRun::toFileWithoutPrinter()
{
    QFETCH(bool, stored);
    QFETCH(QString, chosenFile);
    QFETCH(QSizeF, pagePoints);
    const QDir folder(m_scratch->folder());
    qputenv("CUPS_SERVER", folder.filePath(u"no-print-system.sock"_s).toLocal8Bit());
    platform::PrintChoice choice;
    if (!chosenFile.isEmpty()) {
        QVERIFY(folder.mkpath(QFileInfo(chosenFile).path()));
        choice.outputFile = folder.filePath(chosenFile);
    }
    platform::PrinterPageSink sink(choice);
    platform::setPageSink(&sink);
    fillSale();
    workingSet().StoredFlag = stored;
    const QString path
        = chosenFile.isEmpty() ? folder.filePath(u"slips/XH00000000001Q-20040705-090533.pdf"_s) : choice.outputFile;
    // a file in place of a printer says why
    const QString why = chosenFile.isEmpty() ? u"无法连接打印系统。\n"_s : QString();
    m_dialogs->expect(why + u"销售清单已保存到文件：\n"_s + QDir::toNativeSeparators(path));

    const QPointer<QWidget> shown = run(u"print"_s);
    QTRY_VERIFY(shown.isNull());
    platform::setPageSink(m_sink.get());
    qunsetenv("CUPS_SERVER");

    QCOMPARE(folder.entryList({ u"*.pdf"_s }, QDir::Files, QDir::Name), QStringList {});
    QCOMPARE(QDir(m_scratch->folder() + u"/slips"_s).entryList(QDir::Files),
             chosenFile.isEmpty() ? QStringList { QFileInfo(path).fileName() } : QStringList {});
    const testsupport::PdfFacts pdf = testsupport::readPdf(path);
    QCOMPARE(pdf.pages, 3);
    QCOMPARE(pdf.mediaBoxes, QList<QSizeF>(3, pagePoints));
    // the texts went in as texts in the slip's fonts, not as pictures of them
    QVERIFY(pdf.fonts.contains(u"NotoSerifCJKsc-Regular"_s));
    QVERIFY(pdf.fonts.contains(u"NotoSansCJKsc-Regular"_s));
    // 片 of the zone caption is named as itself, not as the radical ⽚ that shares its glyph
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QVERIFY(bytes.contains("<7247>"));
    QVERIFY(!bytes.contains("<2F5A>"));
}

void TestPrintRun::printerSetup()
{
    m_main->runCommand(u"dysz"_s);
    QCOMPARE(m_setup->titles, QStringList { u"页面设置"_s });
    // the paper offered until a form is chosen: the stored layout's stationery
    QCOMPARE(m_setup->slipSizesMm, QList<QSizeF> { QSizeF(11745 * 25.4 / 1440, 4920 * 25.4 / 1440) });
    QVERIFY(m_sink->jobs.isEmpty());
}

QTEST_MAIN(TestPrintRun)
#include "test_print_run.moc"
