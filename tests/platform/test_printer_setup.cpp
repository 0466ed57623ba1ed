#include "platform/print_choice.h"
#include "platform/printer_setup.h"
#include "platform/timing.h"
#include "support/fake_dialogs.h"
#include "support/scratch_cups.h"
#include "support/silent_socket.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cups/cups.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QSizeF slipMm(11745 * 25.4 / 1440, 4920 * 25.4 / 1440);

/** What the user does in the dialog before pressing a button. */
enum class Action { Nothing, FanFold, SlipSizedCustom, ToFile, FanFoldThenCancel, ToFileThenCancel };

QPageLayout fanFold()
{
    return QPageLayout(QPageSize(QPageSize::FanFoldUS), QPageLayout::Portrait, QMarginsF());
}

} // namespace

Q_DECLARE_METATYPE(Action)

class TestPrinterSetup final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choice_data();
    void choice();
    void silentPrintSystem();
    void formOnAPrinter_data();
    void formOnAPrinter();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestPrinterSetup::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    // the machine's printers are no business of the tests
    qputenv("CUPS_SERVER", QDir(m_folder->path()).filePath(u"no-print-system.sock"_s).toLocal8Bit());
}

void TestPrinterSetup::cleanup()
{
    qunsetenv("CUPS_SERVER");
    m_folder.reset();
}

void TestPrinterSetup::choice_data()
{
    QTest::addColumn<bool>("earlierForm");
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("formAfter");
    QTest::addColumn<bool>("toFileAfter");
    QTest::newRow("accepted with a continuous form") << false << Action::FanFold << true << false;
    QTest::newRow("accepted as offered: no form") << false << Action::Nothing << false << false;
    QTest::newRow("accepted with the slip's own size: no form") << true << Action::SlipSizedCustom << false << false;
    QTest::newRow("accepted again untouched: the form stays") << true << Action::Nothing << true << false;
    QTest::newRow("accepted printing to a file") << false << Action::ToFile << false << true;
    QTest::newRow("cancelled after choosing a form") << false << Action::FanFoldThenCancel << false << false;
    QTest::newRow("cancelled after choosing a file, form kept") << true << Action::ToFileThenCancel << true << false;
}

void TestPrinterSetup::choice()
{
    QFETCH(bool, earlierForm);
    QFETCH(Action, action);
    QFETCH(bool, formAfter);
    QFETCH(bool, toFileAfter);
    const QString file = QDir(m_folder->path()).filePath(u"清单.pdf"_s);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    platform::PrintChoice choice;
    choice.copies = 2;
    if (earlierForm) {
        choice.form = fanFold();
        printer.setPageLayout(fanFold());
    }
    const platform::PrintChoice before = choice;
    QPageLayout offered;

    platform::choosePrinter(
        printer, choice, slipMm,
        [&] {
            offered = printer.pageLayout();
            switch (action) {
            case Action::Nothing:
                return true;
            case Action::FanFold:
            case Action::FanFoldThenCancel:
                printer.setPageLayout(fanFold());
                printer.setCopyCount(5);
                return action == Action::FanFold;
            case Action::SlipSizedCustom:
                printer.setPageSize(QPageSize(QSizeF(207.2, 86.8), QPageSize::Millimeter));
                printer.setPageOrientation(QPageLayout::Portrait);
                return true;
            case Action::ToFile:
            case Action::ToFileThenCancel:
                printer.setOutputFileName(file);
                if (action == Action::ToFile)
                    return true;
                printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
                return false;
            }
            return false;
        },
        [](const QString&) { return QPageSize(QPageSize::Letter); });

    // the dialog offers the form chosen before, or a paper the size of the slip
    const QSizeF shown = offered.fullRect(QPageLayout::Millimeter).size();
    const QSizeF expectedShown = earlierForm ? fanFold().fullRect(QPageLayout::Millimeter).size() : slipMm;
    QVERIFY(qAbs(shown.width() - expectedShown.width()) < 0.5 && qAbs(shown.height() - expectedShown.height()) < 0.5);

    QCOMPARE(choice.form.has_value(), formAfter);
    if (formAfter)
        QVERIFY(choice.form->pageSize().isEquivalentTo(fanFold().pageSize()));
    QCOMPARE(choice.outputFile, toFileAfter ? file : QString());
    const bool cancelled = action == Action::FanFoldThenCancel || action == Action::ToFileThenCancel;
    if (cancelled) {
        // nothing of what was done in a cancelled dialog stays, on the choice or on the printer
        QCOMPARE(choice.copies, before.copies);
        QCOMPARE(printer.outputFileName(), QString());
        QCOMPARE(printer.copyCount(), 1);
        QVERIFY(printer.pageLayout().pageSize().isEquivalentTo(offered.pageSize()));
        QCOMPARE(printer.pageLayout().orientation(), offered.orientation());
    } else {
        QCOMPARE(choice.copies, action == Action::FanFold ? 5 : 1);
    }
}

void TestPrinterSetup::silentPrintSystem()
{
    const QString socket = QDir(m_folder->path()).filePath(u"silent.sock"_s);
    const testsupport::SilentSocket silent(socket);
    QVERIFY(silent.isListening());
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    const platform::Timing saved = platform::timing();
    platform::timing().printSystemAnswer = 500;
    testsupport::FakeDialogs dialogs;
    dialogs.expect(u"无法打开打印设置：打印系统在 1 秒内没有回应"_s);

    // Qt's dialog would wait on the print system for as long as it takes: it is not opened
    platform::printerSetup().show(u"页面设置"_s, slipMm);
    platform::timing() = saved;
    QString problem;
    QVERIFY2(dialogs.verifyDone(&problem), qPrintable(problem));
    QVERIFY(!platform::printChoice().form);
}

void TestPrinterSetup::formOnAPrinter_data()
{
    QTest::addColumn<QString>("paper");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<bool>("formAfter");
    QTest::newRow("printer picked, its paper as the dialog put it in") << QString() << false << false;
    QTest::newRow("its own paper turned on its side") << QString() << true << true;
    QTest::newRow("continuous form picked") << u"FanFoldUS"_s << false << true;
}

void TestPrinterSetup::formOnAPrinter()
{
    QFETCH(QString, paper);
    QFETCH(bool, landscape);
    QFETCH(bool, formAfter);
    if (testsupport::ScratchCups::cupsdProgram().isEmpty())
        QSKIP("cupsd is not installed: this case needs a real print system, Debian's cups");
    testsupport::ScratchCups cups;
    QString problem;
    QVERIFY2(cups.start(&problem), qPrintable(problem));
    QVERIFY2(cups.addQueue(u"dot"_s, u"file:///dev/null"_s, u"drv:///sample.drv/epson24.ppd"_s, &problem),
             qPrintable(problem));
    // the print system's client keeps the server it found first; Qt's printing asks it on this thread
    cupsSetServer(nullptr);
    QPrinter printer;
    printer.setPrinterName(u"dot"_s);
    QCOMPARE(printer.printerName(), u"dot"_s);
    platform::PrintChoice choice;

    platform::choosePrinter(
        printer, choice, slipMm,
        [&] {
            // picking a printer in Qt's dialog puts in its default paper
            printer.setPageSize(QPrinterInfo::printerInfo(u"dot"_s).defaultPageSize());
            printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            if (!paper.isEmpty()) {
                const QList<QPageSize> sizes = QPrinterInfo::printerInfo(u"dot"_s).supportedPageSizes();
                const auto found = std::find_if(sizes.cbegin(), sizes.cend(),
                                                [&paper](const QPageSize& size) { return size.key() == paper; });
                if (found == sizes.cend())
                    return false;
                printer.setPageSize(*found);
            }
            return true;
        },
        [](const QString& name) { return QPrinterInfo::printerInfo(name).defaultPageSize(); });
    cupsSetServer(nullptr);

    QCOMPARE(choice.printer, u"dot"_s);
    QCOMPARE(choice.form.has_value(), formAfter);
    if (!paper.isEmpty())
        QCOMPARE(choice.form->pageSize().key(), paper);
}

QTEST_MAIN(TestPrinterSetup)
#include "test_printer_setup.moc"
