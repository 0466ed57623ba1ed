#include "page_replay.h"
#include "pdf_facts.h"
#include "platform/data_folder.h"
#include "platform/print_preview.h"
#include "platform/top_level_windows.h"
#include "shell/letterhead.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "slip/print_run.h"
#include "slip/slip_layout.h"
#include "slip/slip_preview.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/fake_print_preview.h"
#include "support/scratch_database.h"
#include "transaction/derived_values.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"
#include "users/current_user.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using transaction::workingSet;

namespace {

const QString clerk = u"张三"_s;

/** Nine tablet lines and three device lines: three slip pages. */
void fillSale(const QString& type = u"片剂"_s)
{
    transaction::WorkingSet& set = workingSet();
    for (int i = 1; i <= 12; ++i) {
        transaction::Line& line = set.TransactionLines[static_cast<size_t>(i)];
        line.name = u"药品%1"_s.arg(i);
        line.maker = u"华北制药"_s;
        line.quantity = QString::number(i);
        line.unitPrice = u"1.25"_s;
        line.amount = QString::number(i * 1.25, 'f', 2);
        line.batchNo = u"B%1"_s.arg(i);
        line.expiry = u"2026-10"_s;
        line.drugType = i <= 9 ? type : u"器械"_s;
    }
    set.NextLine = 13;
    set.CustomerUnit = u"同济医院"_s;
    set.SerialText = u"XH00000000001Q"_s;
    transaction::TallyTypes(set);
    transaction::TotalAndWords(set);
}

/** Everything a page drew, where it drew it, as comparable lines of text. */
QStringList drawing(const QPicture& page)
{
    const testsupport::DrawnPage drawn = testsupport::replay(page);
    QStringList facts;
    for (const testsupport::DrawnText& text : drawn.texts) {
        facts << u"%1 %2pt %3 at %4,%5 baseline %6"_s.arg(text.text, text.family)
                     .arg(text.pixelSize)
                     .arg(text.box.x(), 0, 'f', 1)
                     .arg(text.box.y(), 0, 'f', 1)
                     .arg(text.baseline, 0, 'f', 1);
    }
    for (const QLineF& line : drawn.lines)
        facts << u"line %1,%2 %3,%4"_s.arg(line.x1()).arg(line.y1()).arg(line.x2()).arg(line.y2());
    return facts;
}

QSizeF slipMm(int widthTwips)
{
    return QSizeF(widthTwips * 25.4 / 1440, 4920 * 25.4 / 1440);
}

bool sameSize(const QSizeF& a, const QSizeF& b)
{
    return qAbs(a.width() - b.width()) < 0.01 && qAbs(a.height() - b.height()) < 0.01;
}

} // namespace

class TestPrintPreview final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void previewShowsThePrintedPages_data();
    void previewShowsThePrintedPages();
    void nothingToPreview_data();
    void nothingToPreview();
    void previewDialog();
    void previewPaintsTrueSize_data();
    void previewPaintsTrueSize();
    void openSlipsFolder_data();
    void openSlipsFolder();

private:
    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::FakePageSink> m_sink;
    std::unique_ptr<testsupport::FakePrintPreview> m_preview;
    std::unique_ptr<testsupport::FakeLauncher> m_launcher;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::ActivityLog> m_log;
    std::unique_ptr<shell::MainWindow> m_main;
    QString m_savedDataFolder;
};

void TestPrintPreview::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_clock = std::make_unique<testsupport::FakeClock>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_sink = std::make_unique<testsupport::FakePageSink>();
    m_preview = std::make_unique<testsupport::FakePrintPreview>();
    m_launcher = std::make_unique<testsupport::FakeLauncher>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    // a printer made for the preview asks the print system for its printers: none is there to be asked
    qputenv("CUPS_SERVER", QDir(m_scratch->folder()).filePath(u"no-print-system.sock"_s).toLocal8Bit());
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

void TestPrintPreview::cleanup()
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
    qunsetenv("CUPS_SERVER");
    m_log.reset();
    m_scratch.reset();
    m_launcher.reset();
    m_preview.reset();
    m_sink.reset();
    m_dialogs.reset();
    m_clock.reset();
    m_timers.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestPrintPreview::previewShowsThePrintedPages_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("printFromPreview");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("widthTwips");
    QTest::newRow("stored, printed from the preview") << true << true << u"dy"_s << 11745;
    QTest::newRow("not stored, printed from the preview") << false << true << u"dy1"_s << 11400;
    QTest::newRow("stored, printed later from the menu") << true << false << u"dy"_s << 11745;
}

void TestPrintPreview::previewShowsThePrintedPages()
{
    QFETCH(bool, stored);
    QFETCH(bool, printFromPreview);
    QFETCH(QString, window);
    QFETCH(int, widthTwips);
    fillSale();
    workingSet().StoredFlag = stored;
    m_preview->printFromPreview = printFromPreview;

    m_main->runCommand(u"dyyl"_s);
    QCOMPARE(m_preview->shown.size(), 1);
    const platform::PreviewDocument previewed = m_preview->shown.first();
    QCOMPARE(previewed.title, u"打印预览"_s);
    QVERIFY(sameSize(previewed.pageSizeMm, slipMm(widthTwips)));
    QPointer<QWidget> printing = platform::topLevelWindow(window);
    QCOMPARE(printing.isNull(), !printFromPreview);
    if (!printFromPreview) {
        m_main->runCommand(u"print"_s);
        printing = platform::topLevelWindow(window);
        QVERIFY(printing);
    }
    QTRY_VERIFY(printing.isNull());

    QCOMPARE(m_sink->jobs.size(), 1);
    QVERIFY(sameSize(m_sink->pageSizesMm.first(), previewed.pageSizeMm));
    QCOMPARE(previewed.pages.size(), 3);
    QCOMPARE(m_sink->pages.size(), previewed.pages.size());
    for (qsizetype i = 0; i < previewed.pages.size(); ++i)
        QCOMPARE(drawing(previewed.pages.at(i)), drawing(m_sink->pages.at(i)));
}

void TestPrintPreview::nothingToPreview_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("lineOneEmpty");
    QTest::addColumn<QString>("message");
    QTest::newRow("line 1 empty") << u"片剂"_s << true << u"当前没有交易内容!"_s;
    QTest::newRow("no line of a storage zone") << u"中药"_s << false << u"本次交易没有可打印的清单页。"_s;
}

void TestPrintPreview::nothingToPreview()
{
    QFETCH(QString, type);
    QFETCH(bool, lineOneEmpty);
    QFETCH(QString, message);
    fillSale(type);
    // the three device lines go to no zone either
    for (int i = 10; i <= 12; ++i)
        workingSet().TransactionLines[static_cast<size_t>(i)].drugType = type;
    if (lineOneEmpty)
        workingSet().TransactionLines[1].name.clear();
    m_dialogs->expect(message);

    m_main->runCommand(u"dyyl"_s);
    QVERIFY(m_preview->shown.isEmpty());
    QVERIFY(!platform::topLevelWindow(u"dy"_s));
}

void TestPrintPreview::previewDialog()
{
    fillSale();
    const slip::SlipLayout& layout = slip::storedLayout();
    const QList<slip::SlipPage> pages = slip::composeSlip(workingSet(), u"仁和医药"_s, clerk, QDate(2004, 7, 5));
    const platform::PreviewDocument document { u"打印预览"_s, slip::sizeInMillimetres(layout),
                                               slip::slipPictures(pages, layout) };
    const std::unique_ptr<QPrinter> printer = platform::previewPrinter(document);
    int printsAsked = 0;
    const std::unique_ptr<QPrintPreviewDialog> dialog
        = platform::previewDialog(*printer, document, nullptr, [&printsAsked] { ++printsAsked; });
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    QCOMPARE(dialog->windowTitle(), u"打印预览"_s);
    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    QVERIFY(preview);
    QTRY_COMPARE(preview->pageCount(), 3);
    // at the slip's size on paper, not fitted to the window
    QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::CustomZoom);
    QCOMPARE(preview->zoomFactor(), 1.0);
    QVERIFY(sameSize(printer->pageLayout().fullRect(QPageLayout::Millimeter).size(), slipMm(11745)));

    QAction* print = nullptr;
    for (QAction* action : dialog->findChildren<QAction*>()) {
        const QString text = action->text();
        if (text == QCoreApplication::translate("QPrintPreviewDialog", "Print"))
            print = action;
        for (const char* hidden : { "Page setup", "Portrait", "Landscape" }) {
            if (text == QCoreApplication::translate("QPrintPreviewDialog", hidden))
                QVERIFY2(!action->isVisible(), hidden);
        }
    }
    QVERIFY(print);
    print->trigger();
    // the program's own printing, not Qt's print dialog over the preview
    QCOMPARE(printsAsked, 1);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestPrintPreview::previewPaintsTrueSize_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QSizeF>("pagePoints");
    // the media boxes of the slips the printing run writes
    QTest::newRow("stored layout") << true << QSizeF(587, 246);
    QTest::newRow("not-stored layout") << false << QSizeF(570, 246);
}

void TestPrintPreview::previewPaintsTrueSize()
{
    QFETCH(bool, stored);
    QFETCH(QSizeF, pagePoints);
    fillSale();
    const slip::SlipLayout& layout = stored ? slip::storedLayout() : slip::notStoredLayout();
    const QList<slip::SlipPage> pages = slip::composeSlip(workingSet(), u"仁和医药"_s, clerk, QDate(2004, 7, 5));
    const platform::PreviewDocument document { u"打印预览"_s, slip::sizeInMillimetres(layout),
                                               slip::slipPictures(pages, layout) };
    const std::unique_ptr<QPrinter> printer = platform::previewPrinter(document);
    const QString path = QDir(m_scratch->folder()).filePath(u"preview.pdf"_s);
    printer->setOutputFileName(path);

    QVERIFY(platform::paintPages(*printer, document.pages, [&printer] { return printer->newPage(); }));
    const testsupport::PdfFacts pdf = testsupport::readPdf(path);
    QCOMPARE(pdf.pages, 3);
    QCOMPARE(pdf.mediaBoxes, QList<QSizeF>(3, pagePoints));
    QVERIFY(pdf.fonts.contains(u"NotoSerifCJKsc-Regular"_s));
}

void TestPrintPreview::openSlipsFolder_data()
{
    QTest::addColumn<bool>("folderThere");
    QTest::addColumn<bool>("canOpen");
    QTest::addColumn<bool>("blocked");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder is made") << false << true << false << QString();
    QTest::newRow("folder already there") << true << true << false << QString();
    QTest::newRow("no program opens folders") << true << false << false << u"无法打开文件夹 %1"_s;
    QTest::newRow("a file stands in its place") << false << true << true << u"无法建立文件夹 %1"_s;
}

void TestPrintPreview::openSlipsFolder()
{
    QFETCH(bool, folderThere);
    QFETCH(bool, canOpen);
    QFETCH(bool, blocked);
    QFETCH(QString, message);
    const QString folder = QDir(m_scratch->folder()).filePath(u"slips"_s);
    if (folderThere)
        QVERIFY(QDir().mkpath(folder));
    if (blocked) {
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    m_launcher->canStart = canOpen;
    if (!message.isEmpty())
        m_dialogs->expect(message.arg(QDir::toNativeSeparators(folder)));

    m_main->runCommand(u"djwjj"_s);
    QCOMPARE(QFileInfo(folder).isDir(), !blocked);
    const QList<QUrl> expected = blocked ? QList<QUrl>() : QList<QUrl> { QUrl::fromLocalFile(folder) };
    QCOMPARE(m_launcher->urls, expected);
}

QTEST_MAIN(TestPrintPreview)
#include "test_print_preview.moc"
