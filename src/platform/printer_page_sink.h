#pragma once

#include "platform/page_sink.h"

#include <QDateTime>
#include <QFont>
#include <QHash>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace platform {

/** true when the system knows at least one printer. */
bool anyPrinterInstalled();

/**
 * The file a run goes to when no printer takes it: `<job>-<yyyyMMdd-HHmmss>.pdf` in the folder, with "-2", "-3", …
 * added when that name is taken. Characters that cannot safely stand in a file name become "_"; an empty job name
 * reads "slip".
 */
QString slipFilePath(const QString& folder, const QString& jobName, const QDateTime& moment);

/**
 * The program's sink: each run is one job on the printer, or one PDF file in the folder `slips` of the data folder
 * when no printer is installed or the user chose printing to a file in the set-up dialog. Pages keep their true
 * size on either, and their texts stay texts.
 */
class PrinterPageSink final : public PageSink
{
public:
    explicit PrinterPageSink(QPrinter& printer, std::function<bool()> printerInstalled = anyPrinterInstalled);
    ~PrinterPageSink() override;

    bool begin(const QString& jobName, const QSizeF& pageSizeMm) override;
    bool printPage(const QPicture& page) override;
    bool end() override;
    void abort() override;
    QString errorText() const override { return m_error; }
    QString writtenFile() const override { return m_written; }

private:
    bool fail(const QString& text);
    /** Ends the painting and lets go of the device; the file of a run that did not finish is removed. */
    void release(bool keepFile);

    QPrinter& m_printer;
    std::function<bool()> m_printerInstalled;
    std::unique_ptr<QPdfWriter> m_pdf;
    std::unique_ptr<QPainter> m_painter;
    QPagedPaintDevice* m_device = nullptr;
    QString m_path;
    QString m_written;
    QString m_error;
    int m_pages = 0;
    /** The characters the run's pages drew, by font: what the text maps of its PDF must name. */
    QHash<QFont, QString> m_drawn;
};

} // namespace platform
