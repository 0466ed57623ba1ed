#include "platform/print_preview.h"

#include "platform/dialogs.h"
#include "platform/off_thread.h"
#include "platform/print_system.h"
#include "platform/slip_placement.h"
#include "platform/timing.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QPainter>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

constexpr double twipsPerInch = 1440.0;
// room around the page for the dialog's toolbar and the preview's margins, in pixels
constexpr QSize dialogFrame(120, 180);

/** The dialog's own action with this (untranslated) text; nullptr when there is none. */
QAction* dialogAction(QPrintPreviewDialog& dialog, const char* text)
{
    const QString shown = QCoreApplication::translate("QPrintPreviewDialog", text);
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text() == shown)
            return action;
    }
    return nullptr;
}

/** Shows the page at its size on paper: 100 % of the dialog's zoom list. */
void showTrueSize(QPrintPreviewDialog& dialog)
{
    auto* zoom = dialog.findChild<QComboBox*>();
    if (!zoom)
        return;
    for (int i = 0; i < zoom->count(); ++i) {
        QString factor = zoom->itemText(i);
        factor.remove(u'%');
        if (factor.trimmed() == u"100"_s) {
            zoom->setCurrentIndex(i);
            return;
        }
    }
}

class QtPrintPreview final : public PrintPreview
{
public:
    bool show(const PreviewDocument& document) override
    {
        // making a printer asks the print system for its printers and waits as long as it takes
        QString silence;
        runOffThread(
            [&silence] { silence = printSystemSilence(std::chrono::milliseconds(timing().printSystemAnswer)); });
        if (!silence.isEmpty()) {
            inform(u"无法打开打印预览：%1"_s.arg(silence));
            return false;
        }
        const QPointer<QWidget> active = QApplication::activeWindow();
        const std::unique_ptr<QPrinter> printer = previewPrinter(document);
        bool printAsked = false;
        std::unique_ptr<QPrintPreviewDialog> dialog;
        dialog = previewDialog(*printer, document, active, [&printAsked, &dialog] {
            printAsked = true;
            dialog->accept();
        });
        dialog->exec();
        // without a window manager the keyboard would stay nowhere once the dialog closed
        if (active && active->isVisible())
            active->activateWindow();
        return printAsked;
    }
};

PrintPreview* installed = nullptr;

} // namespace

PrintPreview& printPreview()
{
    static QtPrintPreview qtPreview;
    return installed ? *installed : qtPreview;
}

void setPrintPreview(PrintPreview* replacement)
{
    installed = replacement;
}

bool paintPages(QPaintDevice& device, const QList<QPicture>& pages, const std::function<bool()>& nextSheet)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.scale(device.logicalDpiX() / twipsPerInch, device.logicalDpiY() / twipsPerInch);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !nextSheet()) {
            painter.end();
            return false;
        }
        painter.drawPicture(0, 0, pages.at(i));
    }
    return painter.end();
}

std::unique_ptr<QPrinter> previewPrinter(const PreviewDocument& document)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    // the preview only draws: the program prints the document its own way
    printer->setOutputFormat(QPrinter::PdfFormat);
    // A page is replayed at the resolution it was recorded at: on a device of another resolution a recorded picture
    // scales its texts a second time.
    printer->setResolution(QPicture().logicalDpiX());
    printer->setFullPage(true);
    printer->setPageLayout(placeSlip(document.pageSizeMm, QMarginsF(), std::nullopt).paper);
    printer->setDocName(document.title);
    return printer;
}

std::unique_ptr<QPrintPreviewDialog> previewDialog(QPrinter& printer, const PreviewDocument& document, QWidget* parent,
                                                   const std::function<void()>& print)
{
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    dialog->setWindowTitle(document.title);
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [pages = document.pages](QPrinter* device) {
                         paintPages(*device, pages, [device] { return device->newPage(); });
                     });
    // the paper is the document's: another size or the page turned would show what is never printed
    for (const char* text : { "Page setup", "Portrait", "Landscape" }) {
        if (QAction* action = dialogAction(*dialog, text))
            action->setVisible(false);
    }
    if (QAction* printAction = dialogAction(*dialog, "Print")) {
        printAction->disconnect(dialog.get());
        QObject::connect(printAction, &QAction::triggered, dialog.get(), [print] { print(); });
    }
    showTrueSize(*dialog);
    const QSize page = printer.pageLayout().fullRectPixels(dialog->logicalDpiX()).size();
    QSize size = page + dialogFrame;
    if (const QScreen* screen = dialog->screen())
        size = size.boundedTo(screen->availableSize());
    dialog->resize(size);
    return dialog;
}

} // namespace platform
