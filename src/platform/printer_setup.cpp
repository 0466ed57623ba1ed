#include "platform/printer_setup.h"

#include "platform/program_printer.h"

#include <QApplication>
#include <QPointer>
#include <QPrintDialog>

namespace platform {

namespace {

class QtPrinterSetup final : public PrinterSetup
{
public:
    void show(const QString& title) override
    {
        const QPointer<QWidget> active = QApplication::activeWindow();
        QPrintDialog dialog(&programPrinter(), active);
        dialog.setWindowTitle(title);
        // a run always prints the whole slip, so a page range would be ignored
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.exec();
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

} // namespace platform
