#include "platform/printer_setup.h"

#include "platform/dialogs.h"
#include "platform/off_thread.h"
#include "platform/print_choice.h"
#include "platform/print_system.h"
#include "platform/program_printer.h"
#include "platform/timing.h"

#include <QApplication>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

// Qt's dialog keeps the printer's own settings (its driver's options, the job options) under this key of the print
// engine, as a list of names and values; no public call reads them.
const auto systemOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);
// what a paper's size loses on its way through the dialog's units
constexpr double sameSizeMm = 0.5;

/** Everything of the printer that the dialog may change. */
struct PrinterState
{
    QPrinter::OutputFormat format;
    QString file;
    QString name;
    QPageLayout layout;
    int copies;
    bool collate;
    QPrinter::DuplexMode duplex;
    QPrinter::ColorMode color;
    QPrinter::PageOrder order;
    QVariant systemOptions;
};

PrinterState stateOf(QPrinter& printer)
{
    return { printer.outputFormat(), printer.outputFileName(),
             printer.printerName(),  printer.pageLayout(),
             printer.copyCount(),    printer.collateCopies(),
             printer.duplex(),       printer.colorMode(),
             printer.pageOrder(),    printer.printEngine()->property(systemOptionsKey) };
}

void restore(QPrinter& printer, const PrinterState& state)
{
    if (state.format == QPrinter::PdfFormat) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(state.file);
    } else {
        printer.setOutputFileName({});
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(state.name);
    }
    printer.setPageLayout(state.layout);
    printer.setCopyCount(state.copies);
    printer.setCollateCopies(state.collate);
    printer.setDuplex(state.duplex);
    printer.setColorMode(state.color);
    printer.setPageOrder(state.order);
    printer.printEngine()->setProperty(systemOptionsKey, state.systemOptions);
}

QString sidesOf(QPrinter::DuplexMode duplex)
{
    switch (duplex) {
    case QPrinter::DuplexNone:
        return u"one-sided"_s;
    case QPrinter::DuplexLongSide:
        return u"two-sided-long-edge"_s;
    case QPrinter::DuplexShortSide:
        return u"two-sided-short-edge"_s;
    case QPrinter::DuplexAuto:
        break;
    }
    return {};
}

bool isSlipSized(const QPageLayout& layout, const QSizeF& slipMm)
{
    const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
    return qAbs(paper.width() - slipMm.width()) < sameSizeMm && qAbs(paper.height() - slipMm.height()) < sameSizeMm;
}

PrintChoice choiceOf(QPrinter& printer, const QSizeF& slipMm, const QPageSize& defaultPaper)
{
    PrintChoice choice;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        choice.outputFile = printer.outputFileName();
    else
        choice.printer = printer.printerName();
    const QPageLayout layout = printer.pageLayout();
    const bool byDefault = layout.orientation() == QPageLayout::Portrait && defaultPaper.isValid()
        && layout.pageSize().isEquivalentTo(defaultPaper);
    if (!isSlipSized(layout, slipMm) && !byDefault)
        choice.form = layout;
    choice.copies = printer.copyCount();
    choice.collateCopies = printer.collateCopies();
    choice.sides = sidesOf(printer.duplex());
    const QStringList options = printer.printEngine()->property(systemOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        choice.systemOptions.append({ options.at(i), options.at(i + 1) });
    return choice;
}

class QtPrinterSetup final : public PrinterSetup
{
public:
    void show(const QString& title, const QSizeF& slipMm) override
    {
        // Qt's dialog asks the print system for its printers and waits as long as it takes
        QString silence;
        runOffThread(
            [&silence] { silence = printSystemSilence(std::chrono::milliseconds(timing().printSystemAnswer)); });
        if (!silence.isEmpty()) {
            inform(u"无法打开打印设置：%1"_s.arg(silence));
            return;
        }
        const QPointer<QWidget> active = QApplication::activeWindow();
        choosePrinter(
            programPrinter(), printChoice(), slipMm,
            [&title, &active] {
                QPrintDialog dialog(&programPrinter(), active);
                dialog.setWindowTitle(title);
                // a run always prints the whole slip, so a page range would be ignored
                dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
                return dialog.exec() == QDialog::Accepted;
            },
            [](const QString& printer) { return QPrinterInfo::printerInfo(printer).defaultPageSize(); });
        // without a window manager the keyboard would stay nowhere once the dialog closed
        if (active && active->isVisible())
            active->activateWindow();
    }
};

PrinterSetup* installed = nullptr;

} // namespace

PrinterSetup& printerSetup()
{
    static QtPrinterSetup qtSetup;
    return installed ? *installed : qtSetup;
}

void setPrinterSetup(PrinterSetup* replacement)
{
    installed = replacement;
}

void choosePrinter(QPrinter& printer, PrintChoice& choice, const QSizeF& slipMm, const std::function<bool()>& dialog,
                   const std::function<QPageSize(const QString&)>& defaultPaper)
{
    if (!choice.form) {
        printer.setPageSize(QPageSize(slipMm, QPageSize::Millimeter, {}, QPageSize::ExactMatch));
        printer.setPageOrientation(QPageLayout::Portrait);
    }
    const PrinterState before = stateOf(printer);
    if (dialog()) {
        // a file takes any paper, and Qt's dialog keeps the one it was given
        const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
        choice = choiceOf(printer, slipMm, toFile ? QPageSize() : defaultPaper(printer.printerName()));
    } else
        restore(printer, before);
}

} // namespace platform
