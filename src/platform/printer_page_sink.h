#pragma once

#include "platform/page_sink.h"
#include "platform/slip_placement.h"

#include <QDateTime>
#include <QFont>
#include <QHash>
#include <memory>

class QBuffer;
class QPainter;
class QPdfWriter;

namespace platform {

struct PrintChoice;

/**
 * The file a run goes to when no printer takes it: `<job>-<yyyyMMdd-HHmmss>.pdf` in the folder, with "-2", "-3", …
 * added when that name is taken. Characters that cannot safely stand in a file name become "_"; an empty job name
 * reads "slip".
 */
QString slipFilePath(const QString& folder, const QString& jobName, const QDateTime& moment);

/**
 * The program's sink. Each run is drawn as one PDF, the same whatever it goes to: one job on the printer chosen
 * (or the print system's default), the file the user named, or a file in the folder `slips` of the data folder when
 * there is no printer. When the print system fails, the run is said to have failed and the slip is kept in `slips`
 * all the same. Waits on the print system keep the windows painting and give up after a few seconds. Pages keep
 * their true size, and their texts stay texts.
 */
class PrinterPageSink final : public PageSink
{
public:
    explicit PrinterPageSink(const PrintChoice& choice);
    ~PrinterPageSink() override;

    bool begin(const QString& jobName, const QSizeF& pageSizeMm) override;
    bool printPage(const QPicture& page) override;
    bool end() override;
    void abort() override;
    QString errorText() const override { return m_error; }
    QString writtenFile() const override { return m_written; }
    QString notice() const override { return m_notices.join(u'\n'); }

private:
    enum class Target { Printer, ChosenFile, SlipsFolder };

    bool fail(const QString& text);
    /** Ends the painting and lets go of the document. */
    void release();
    /** Keeps the document in the folder `slips`; false with the reason when it cannot. */
    bool keepInSlips(const QByteArray& pdf, QString* problem);
    QList<std::pair<QString, QString>> jobOptions() const;

    const PrintChoice& m_choice;
    Target m_target = Target::SlipsFolder;
    QString m_job;
    QString m_printer;
    /** Why the printer cannot take the run, found before its pages were drawn. */
    QString m_printerFailure;
    SlipPlacement m_placement;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_pdf;
    std::unique_ptr<QPainter> m_painter;
    QString m_written;
    QString m_error;
    QStringList m_notices;
    int m_pages = 0;
    /** The characters the run's pages drew, by font: what the text maps of its PDF must name. */
    QHash<QFont, QString> m_drawn;
};

} // namespace platform
