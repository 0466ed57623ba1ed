#pragma once

#include <QString>

namespace platform {

/** The printer set-up dialog, behind a seam so that tests do not block on a modal window. */
class PrinterSetup
{
public:
    virtual ~PrinterSetup() = default;

    /** Shows the dialog over the active window; the printer the user accepts there takes the later slip runs. */
    virtual void show(const QString& title) = 0;
};

/** The installed set-up dialog; Qt's printer dialog on programPrinter() until a test installs another. */
PrinterSetup& printerSetup();
/** Installs a replacement (not owned); nullptr restores Qt's dialog. */
void setPrinterSetup(PrinterSetup* replacement);

} // namespace platform
