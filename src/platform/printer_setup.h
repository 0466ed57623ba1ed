#pragma once

#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <functional>

class QPrinter;

namespace platform {

struct PrintChoice;

/** The printer set-up dialog, behind a seam so that tests do not block on a modal window. */
class PrinterSetup
{
public:
    virtual ~PrinterSetup() = default;

    /**
     * Shows the dialog over the active window. What the user accepts there becomes the program's print choice; a
     * cancelled dialog changes nothing. Until a paper is chosen, the dialog offers one the size of the slip.
     */
    virtual void show(const QString& title, const QSizeF& slipMm) = 0;
};

/** The installed set-up dialog; Qt's printer dialog on programPrinter() until a test installs another. */
PrinterSetup& printerSetup();
/** Installs a replacement (not owned); nullptr restores Qt's dialog. */
void setPrinterSetup(PrinterSetup* replacement);

/**
 * Runs `dialog` on the printer, which shows the current choice, or a paper the size of the slip when no form was
 * chosen. Accepted (true), the choice becomes what the printer then holds. A paper the size of the slip counts as no
 * form chosen, and so does a printer's own default paper upright, which Qt's dialog puts in on its own whenever
 * another printer is picked; `defaultPaper` gives it by printer name. Cancelled, the printer gets back everything
 * the dialog changed on it and the choice stays.
 */
void choosePrinter(QPrinter& printer, PrintChoice& choice, const QSizeF& slipMm, const std::function<bool()>& dialog,
                   const std::function<QPageSize(const QString&)>& defaultPaper);

} // namespace platform
