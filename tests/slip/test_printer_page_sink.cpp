#include "pdf_facts.h"
#include "platform/data_folder.h"
#include "platform/print_choice.h"
#include "platform/printer_page_sink.h"
#include "platform/slip_placement.h"
#include "platform/timing.h"
#include "support/fake_platform.h"
#include "support/scratch_cups.h"
#include "support/silent_socket.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const QSizeF slipSizeMm(11745 * 25.4 / 1440, 4920 * 25.4 / 1440);

QPicture pageWith(const QString& text)
{
    QPicture picture;
    QPainter painter(&picture);
    QFont font(u"Noto Serif CJK SC"_s);
    font.setPixelSize(195);
    painter.setFont(font);
    painter.drawText(QPoint(40, 1600), text);
    return picture;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QPageLayout form(QPageSize::PageSizeId size, QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(size), orientation, QMarginsF());
}

/** The paper in whole points, as a PDF's media box gives it. */
QSizeF points(const QSizeF& mm)
{
    return QSizeF(qRound(mm.width() / 25.4 * 72), qRound(mm.height() / 25.4 * 72));
}

} // namespace

class TestPrinterPageSink final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cleanupTestCase();

    void filePath_data();
    void filePath();
    void takenNameGetsACount();
    void onePdfARun();
    void unwritableFolder();
    void abortRemovesTheFile();
    void placement_data();
    void placement();
    void chosenFile_data();
    void chosenFile();
    void unreachablePrintSystem_data();
    void unreachablePrintSystem();

    // through a print system of the test's own
    void printSystem_data();
    void printSystem();
    void paper_data();
    void paper();

private:
    /** Prints a page of 片剂区 on the sink; the outcome of end(). */
    bool printOnePage();
    /** Starts the test's own print system with its queues once; skips the test where there is none. */
    void needPrintSystem();
    /** The documents the print system was given since the test began. */
    QStringList newDocuments() const;

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    platform::PrintChoice m_choice;
    std::unique_ptr<platform::PrinterPageSink> m_sink;
    QString m_savedDataFolder;
    platform::Timing m_savedTiming;
    std::unique_ptr<testsupport::ScratchCups> m_cups;
    QStringList m_documentsBefore;
};

void TestPrinterPageSink::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_clock = std::make_unique<testsupport::FakeClock>();
    m_choice = {};
    m_sink = std::make_unique<platform::PrinterPageSink>(m_choice);
    m_savedDataFolder = platform::dataFolder();
    platform::setDataFolder(m_folder->path());
    m_savedTiming = platform::timing();
    // no print system unless a test starts its own: the machine's printers are no business of the tests
    qputenv("CUPS_SERVER", QDir(m_folder->path()).filePath(u"no-print-system.sock"_s).toLocal8Bit());
}

void TestPrinterPageSink::cleanup()
{
    qunsetenv("CUPS_SERVER");
    platform::timing() = m_savedTiming;
    platform::setDataFolder(m_savedDataFolder);
    m_sink.reset();
    m_clock.reset();
    m_folder.reset();
}

bool TestPrinterPageSink::printOnePage()
{
    if (!m_sink->begin(u"XH00000000001Q"_s, slipSizeMm) || !m_sink->printPage(pageWith(u"库区：片剂区"_s)))
        return false;
    return m_sink->end();
}

void TestPrinterPageSink::cleanupTestCase()
{
    m_cups.reset();
}

QStringList TestPrinterPageSink::newDocuments() const
{
    QStringList documents = m_cups->spooledDocuments();
    documents.removeIf([this](const QString& path) { return m_documentsBefore.contains(path); });
    return documents;
}

void TestPrinterPageSink::needPrintSystem()
{
    if (testsupport::ScratchCups::cupsdProgram().isEmpty())
        QSKIP("cupsd is not installed: the cases through a real print system need Debian's cups");
    if (m_cups) {
        m_cups->use();
        m_documentsBefore = m_cups->spooledDocuments();
        return;
    }
    m_cups = std::make_unique<testsupport::ScratchCups>();
    QString problem;
    QVERIFY2(m_cups->start(&problem), qPrintable(problem));
    const QString pdfDriver = u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_s;
    QVERIFY2(QFile::exists(pdfDriver), "the PDF queue needs printer-driver-cups-pdf");
    const QString dotMatrix = u"drv:///sample.drv/epson24.ppd"_s;
    QVERIFY2(m_cups->addQueue(u"pdf"_s, u"cups-pdf:/"_s, pdfDriver, &problem), qPrintable(problem));
    QVERIFY2(m_cups->addQueue(u"dot"_s, u"file:///dev/null"_s, dotMatrix, &problem), qPrintable(problem));
    QVERIFY2(m_cups->addQueue(u"rejecting"_s, u"cups-pdf:/"_s, pdfDriver, &problem), qPrintable(problem));
    QVERIFY2(m_cups->command(u"cupsreject"_s, { u"-r"_s, u"out of forms"_s, u"rejecting"_s }, &problem),
             qPrintable(problem));
    QVERIFY2(m_cups->addQueue(u"stopped"_s, u"file:///dev/null"_s, dotMatrix, &problem), qPrintable(problem));
    QVERIFY2(m_cups->command(u"cupsdisable"_s, { u"-r"_s, u"paper jam"_s, u"stopped"_s }, &problem),
             qPrintable(problem));
    // its device cannot be opened once a job comes: the printer stops on the job
    QVERIFY2(m_cups->addQueue(u"broken"_s, u"file:///no/such/folder/out.prn"_s, dotMatrix, &problem),
             qPrintable(problem));
    QVERIFY2(m_cups->addQueue(u"removed"_s, u"file:///dev/null"_s, dotMatrix, &problem), qPrintable(problem));
    QVERIFY2(m_cups->command(u"lpadmin"_s, { u"-x"_s, u"removed"_s }, &problem), qPrintable(problem));
    QVERIFY2(m_cups->command(u"lpadmin"_s, { u"-d"_s, u"pdf"_s }, &problem), qPrintable(problem));
    m_documentsBefore = m_cups->spooledDocuments();
}

void TestPrinterPageSink::filePath_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("name");
    QTest::newRow("sales number") << u"XH00000000001Q"_s << u"XH00000000001Q-20040705-090533.pdf"_s;
    QTest::newRow("no sales number") << QString() << u"slip-20040705-090533.pdf"_s;
    QTest::newRow("folders and blanks kept out") << u"../x y/z"_s << u"___x_y_z-20040705-090533.pdf"_s;
    QTest::newRow("overlong name cut") << QString(100, u'9') << QString(64, u'9') + u"-20040705-090533.pdf"_s;
}

void TestPrinterPageSink::filePath()
{
    QFETCH(QString, job);
    QFETCH(QString, name);
    const QString path = platform::slipFilePath(m_folder->path(), job, m_clock->now());
    QCOMPARE(path, QDir(m_folder->path()).filePath(name));
}

void TestPrinterPageSink::takenNameGetsACount()
{
    const QDir folder(m_folder->path());
    for (const QString& name : { u"XH1-20040705-090533.pdf"_s, u"XH1-20040705-090533-2.pdf"_s }) {
        QFile taken(folder.filePath(name));
        QVERIFY(taken.open(QIODevice::WriteOnly));
    }
    QCOMPARE(platform::slipFilePath(folder.path(), u"XH1"_s, m_clock->now()),
             folder.filePath(u"XH1-20040705-090533-3.pdf"_s));
}

void TestPrinterPageSink::onePdfARun()
{
    QVERIFY(m_sink->begin(u"XH00000000001Q"_s, slipSizeMm));
    QVERIFY(m_sink->printPage(pageWith(u"第一页"_s)));
    QVERIFY(m_sink->printPage(pageWith(u"第二页"_s)));
    QVERIFY(m_sink->end());

    const QString path = QDir(m_folder->path()).filePath(u"slips/XH00000000001Q-20040705-090533.pdf"_s);
    QCOMPARE(m_sink->writtenFile(), path);
    const testsupport::PdfFacts pdf = testsupport::readPdf(path);
    QCOMPARE(pdf.pages, 2);
    QCOMPARE(pdf.mediaBoxes, QList<QSizeF>(2, QSizeF(587, 246)));
    QCOMPARE(pdf.fonts, QStringList { u"NotoSerifCJKsc-Regular"_s });

    // the next run starts afresh
    m_clock->set(m_clock->now().addSecs(1));
    QVERIFY(m_sink->begin(u"XH00000000002Q"_s, slipSizeMm));
    QVERIFY(m_sink->printPage(pageWith(u"第一页"_s)));
    QVERIFY(m_sink->end());
    QCOMPARE(testsupport::readPdf(m_sink->writtenFile()).pages, 1);
}

void TestPrinterPageSink::unwritableFolder()
{
    // a file where the data folder should be: no folder can be made in it
    const QString blocked = QDir(m_folder->path()).filePath(u"blocked"_s);
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    platform::setDataFolder(blocked);

    QVERIFY(!m_sink->begin(u"XH00000000001Q"_s, slipSizeMm));
    QVERIFY2(m_sink->errorText().startsWith(u"无法建立文件夹"_s), qPrintable(m_sink->errorText()));
    QVERIFY(m_sink->writtenFile().isEmpty());
}

void TestPrinterPageSink::abortRemovesTheFile()
{
    QVERIFY(m_sink->begin(u"XH00000000001Q"_s, slipSizeMm));
    QVERIFY(m_sink->printPage(pageWith(u"第一页"_s)));
    m_sink->abort();
    QCOMPARE(QDir(m_folder->path() + u"/slips"_s).entryList(QDir::Files), QStringList {});
    QVERIFY(m_sink->writtenFile().isEmpty());
}

void TestPrinterPageSink::placement_data()
{
    QTest::addColumn<QMarginsF>("unprintable");
    QTest::addColumn<std::optional<QPageLayout>>("chosen");
    QTest::addColumn<QSizeF>("paperMm");
    QTest::addColumn<QPointF>("originMm");
    QTest::addColumn<bool>("fits");
    const QMarginsF dotMatrix(6.35, 6.35, 6.35, 6.35);
    const QSizeF slip = slipSizeMm;
    QTest::newRow("no form, no margins") << QMarginsF() << std::optional<QPageLayout>() << slip << QPointF() << true;
    QTest::newRow("no form: the paper grows by the margins")
        << QMarginsF(3, 4, 5, 6) << std::optional<QPageLayout>() << QSizeF(slip.width() + 8, slip.height() + 10)
        << QPointF(3, 4) << true;
    QTest::newRow("form kept, slip inside") << dotMatrix << std::optional(form(QPageSize::A4, QPageLayout::Landscape))
                                            << QSizeF(297, 210) << QPointF(6.35, 6.35) << true;
    QTest::newRow("form too narrow") << dotMatrix << std::optional(form(QPageSize::A5, QPageLayout::Landscape))
                                     << QSizeF(210, 148) << QPointF(6.35, 6.35) << false;
    QTest::newRow("form too short") << QMarginsF() << std::optional(form(QPageSize::A6, QPageLayout::Landscape))
                                    << QSizeF(148, 105) << QPointF() << false;
    QTest::newRow("slip exactly as wide as the form")
        << QMarginsF()
        << std::optional(QPageLayout(QPageSize(slip, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()))
        << slip << QPointF() << true;
    QTest::newRow("form on its side: the widest margin at every edge")
        << QMarginsF(1, 2, 3, 9) << std::optional(form(QPageSize::A4, QPageLayout::Landscape)) << QSizeF(297, 210)
        << QPointF(9, 9) << true;
}

void TestPrinterPageSink::placement()
{
    QFETCH(QMarginsF, unprintable);
    QFETCH(std::optional<QPageLayout>, chosen);
    QFETCH(QSizeF, paperMm);
    QFETCH(QPointF, originMm);
    QFETCH(bool, fits);
    const platform::SlipPlacement placed = platform::placeSlip(slipSizeMm, unprintable, chosen);
    const QSizeF paper = placed.paper.fullRect(QPageLayout::Millimeter).size();
    QVERIFY2(qAbs(paper.width() - paperMm.width()) < 0.5 && qAbs(paper.height() - paperMm.height()) < 0.5,
             qPrintable(u"%1 x %2"_s.arg(paper.width()).arg(paper.height())));
    QCOMPARE(placed.paper.margins(), QMarginsF());
    QCOMPARE(placed.originMm, originMm);
    QCOMPARE(placed.fits, fits);
}

void TestPrinterPageSink::chosenFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");
    QTest::newRow("the name the user gave") << u"朝阳门店/第一张.pdf"_s << true;
    QTest::newRow("a folder that is not there") << u"no-such-folder/slip.pdf"_s << false;
}

void TestPrinterPageSink::chosenFile()
{
    QFETCH(QString, name);
    QFETCH(bool, written);
    const QDir folder(m_folder->path());
    QVERIFY(folder.mkpath(u"朝阳门店"_s));
    m_choice.outputFile = folder.filePath(name);
    QFile earlier(m_choice.outputFile);
    if (written) {
        // the user named a file that is there: it is replaced whole
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write(QByteArray(100000, 'x')) == 100000);
        earlier.close();
    }

    QCOMPARE(printOnePage(), written);
    const QString kept = QDir(m_folder->path()).filePath(u"slips/XH00000000001Q-20040705-090533.pdf"_s);
    if (written) {
        QCOMPARE(m_sink->writtenFile(), m_choice.outputFile);
        QCOMPARE(testsupport::readPdf(m_choice.outputFile).pages, 1);
        QVERIFY(!QFile::exists(kept));
    } else {
        // the slip is not lost: it is kept where a slip goes without a printer
        QCOMPARE(m_sink->errorText(), u"无法写入文件 "_s + QDir::toNativeSeparators(m_choice.outputFile));
        QCOMPARE(m_sink->writtenFile(), kept);
        QCOMPARE(testsupport::readPdf(kept).pages, 1);
    }
    QCOMPARE(m_sink->notice(), QString());
}

void TestPrinterPageSink::unreachablePrintSystem_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("notice");
    QTest::newRow("print system stopped, printer chosen") << false << u"dot"_s << u"无法连接打印系统"_s << QString();
    QTest::newRow("print system stopped, no printer chosen")
        << false << QString() << QString() << u"无法连接打印系统。"_s;
    QTest::newRow("print system not answering, printer chosen")
        << true << u"dot"_s << u"打印系统在 1 秒内没有回应"_s << QString();
    QTest::newRow("print system not answering, no printer chosen")
        << true << QString() << u"打印系统在 1 秒内没有回应"_s << QString();
}

void TestPrinterPageSink::unreachablePrintSystem()
{
    QFETCH(bool, listening);
    QFETCH(QString, printer);
    QFETCH(QString, failure);
    QFETCH(QString, notice);
    platform::timing().printSystemAnswer = 1000;
    m_choice.printer = printer;
    const QString socket = QDir(m_folder->path()).filePath(u"silent.sock"_s);
    std::unique_ptr<testsupport::SilentSocket> silent;
    if (listening) {
        silent = std::make_unique<testsupport::SilentSocket>(socket);
        QVERIFY(silent->isListening());
        qputenv("CUPS_SERVER", socket.toLocal8Bit());
    }
    int ticks = 0;
    QTimer clockwork;
    QObject::connect(&clockwork, &QTimer::timeout, [&ticks] { ++ticks; });
    clockwork.start(20);
    QElapsedTimer elapsed;
    elapsed.start();

    QCOMPARE(printOnePage(), failure.isEmpty());
    QVERIFY2(elapsed.elapsed() < 4000, qPrintable(QString::number(elapsed.elapsed())));
    if (listening) // the windows went on while the print system was waited for
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
    QVERIFY2(m_sink->errorText().startsWith(failure), qPrintable(m_sink->errorText()));
    QCOMPARE(m_sink->notice(), notice);
    const QString kept = QDir(m_folder->path()).filePath(u"slips/XH00000000001Q-20040705-090533.pdf"_s);
    QCOMPARE(m_sink->writtenFile(), kept);
    QCOMPARE(testsupport::readPdf(kept).pages, 1);
}

void TestPrinterPageSink::printSystem_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QString>("failure");
    QTest::newRow("PDF queue") << u"pdf"_s << QString();
    QTest::newRow("the print system's default printer") << QString() << QString();
    QTest::newRow("queue rejecting jobs") << u"rejecting"_s << u"打印机“rejecting”不接受打印作业（out of forms）"_s;
    QTest::newRow("printer removed after it was chosen") << u"removed"_s << u"打印机“removed”不存在"_s;
    QTest::newRow("printer stopped") << u"stopped"_s << u"打印机“stopped”已停止（paper jam）"_s;
    QTest::newRow("printer stopping on the job") << u"broken"_s << u"打印机“broken”停在了这份打印作业上"_s;
}

void TestPrinterPageSink::printSystem()
{
    QFETCH(QString, printer);
    QFETCH(QString, failure);
    needPrintSystem();
    m_choice.printer = printer;

    QCOMPARE(printOnePage(), failure.isEmpty());
    QVERIFY2(m_sink->errorText().startsWith(failure), qPrintable(m_sink->errorText()));
    QCOMPARE(m_sink->notice(), QString());
    const QString kept = QDir(m_folder->path()).filePath(u"slips/XH00000000001Q-20040705-090533.pdf"_s);
    if (failure.isEmpty()) {
        QCOMPARE(m_sink->writtenFile(), QString());
        QVERIFY(!QFile::exists(kept));
        // what the print system was given names 片 as itself, as the program's own PDFs do
        const QStringList documents = newDocuments();
        QCOMPARE(documents.size(), 1);
        const QByteArray sent = contents(documents.first());
        QVERIFY(sent.startsWith("%PDF"));
        QVERIFY(sent.contains("<7247>"));
        QVERIFY(!sent.contains("<2F5A>"));
    } else {
        QCOMPARE(m_sink->writtenFile(), kept);
        QCOMPARE(testsupport::readPdf(kept).pages, 1);
        // nothing is left in the queue to come out after the clerk printed the slip again
        QString jobs;
        QVERIFY(m_cups->command(u"lpstat"_s, { u"-o"_s }, &jobs));
        QVERIFY2(!jobs.contains(printer + u'-'), qPrintable(jobs));
    }
}

void TestPrinterPageSink::paper_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<std::optional<QPageLayout>>("chosen");
    QTest::addColumn<QSizeF>("mediaBox");
    QTest::addColumn<bool>("fits");
    const QSizeF slip = points(slipSizeMm);
    QTest::newRow("no form, no margins: the slip's size") << u"pdf"_s << std::optional<QPageLayout>() << slip << true;
    // the 24-pin driver cannot print 18 points in from any edge
    QTest::newRow("no form, dot-matrix margins: grown by them")
        << u"dot"_s << std::optional<QPageLayout>() << QSizeF(slip.width() + 36, slip.height() + 36) << true;
    QTest::newRow("continuous form chosen")
        << u"dot"_s << std::optional(QPageLayout(QPageSize(QPageSize::FanFoldUS), QPageLayout::Portrait, QMarginsF()))
        << QSizeF(1071, 792) << true;
    QTest::newRow("form too small for the slip")
        << u"dot"_s << std::optional(form(QPageSize::A5, QPageLayout::Landscape)) << QSizeF(595, 420) << false;
}

void TestPrinterPageSink::paper()
{
    QFETCH(QString, printer);
    QFETCH(std::optional<QPageLayout>, chosen);
    QFETCH(QSizeF, mediaBox);
    QFETCH(bool, fits);
    needPrintSystem();
    m_choice.printer = printer;
    m_choice.form = chosen;

    QVERIFY2(printOnePage(), qPrintable(m_sink->errorText()));
    QCOMPARE(m_sink->notice(), fits ? QString() : u"所选纸张的可打印范围小于销售清单，清单有一部分打印不出来。"_s);
    const QStringList documents = newDocuments();
    QCOMPARE(documents.size(), 1);
    QCOMPARE(testsupport::readPdf(documents.first()).mediaBoxes, QList<QSizeF> { mediaBox });
}

QTEST_MAIN(TestPrinterPageSink)
#include "test_printer_page_sink.moc"
