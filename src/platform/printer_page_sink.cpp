#include "platform/printer_page_sink.h"

#include "platform/clock.h"
#include "platform/off_thread.h"
#include "platform/pdf_text_map.h"
#include "platform/picture_text.h"
#include "platform/print_choice.h"
#include "platform/print_system.h"
#include "platform/slips_folder.h"
#include "platform/timing.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

constexpr double twipsPerInch = 1440.0;
constexpr double millimetresPerInch = 25.4;
// a sales number is far shorter; a longer job name comes from a damaged transaction file
constexpr qsizetype longestJobPart = 64;

QString safeFilePart(const QString& jobName)
{
    QString part = jobName.left(longestJobPart);
    for (QChar& c : part) {
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_')
            c = u'_';
    }
    return part.isEmpty() ? u"slip"_s : part;
}

/** The document with its text maps naming every character as it was drawn. */
QByteArray withTrueTextMaps(const QByteArray& pdf, const QHash<QFont, QString>& drawn)
{
    GlyphRenames renames;
    for (auto font = drawn.cbegin(); font != drawn.cend(); ++font)
        addSharedGlyphRenames(renames, font.key(), font.value());
    return renameTextMapCodes(pdf, renames);
}

/** Writes the whole file or leaves what was there before. */
bool save(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QString cannotWrite(const QString& path)
{
    return u"无法写入文件 %1"_s.arg(QDir::toNativeSeparators(path));
}

std::chrono::milliseconds patience()
{
    return std::chrono::milliseconds(timing().printSystemAnswer);
}

} // namespace

QString slipFilePath(const QString& folder, const QString& jobName, const QDateTime& moment)
{
    const QDir dir(folder);
    const QString stem = safeFilePart(jobName) + u'-' + moment.toString(u"yyyyMMdd-HHmmss"_s);
    QString path = dir.filePath(stem + u".pdf"_s);
    for (int count = 2; QFileInfo::exists(path); ++count)
        path = dir.filePath(u"%1-%2.pdf"_s.arg(stem).arg(count));
    return path;
}

PrinterPageSink::PrinterPageSink(const PrintChoice& choice) : m_choice(choice) { }

PrinterPageSink::~PrinterPageSink()
{
    release();
}

bool PrinterPageSink::begin(const QString& jobName, const QSizeF& pageSizeMm)
{
    release();
    m_job = jobName;
    m_printer.clear();
    m_printerFailure.clear();
    m_error.clear();
    m_written.clear();
    m_notices.clear();
    m_pages = 0;
    m_drawn.clear();

    QMarginsF unprintable;
    if (!m_choice.outputFile.isEmpty()) {
        m_target = Target::ChosenFile;
    } else {
        PrinterLookup lookup;
        runOffThread([&lookup, this] { lookup = lookUpPrinter(m_choice.printer, patience()); });
        switch (lookup.outcome) {
        case PrinterLookup::Outcome::Ready:
            m_target = Target::Printer;
            m_printer = lookup.printer;
            unprintable = lookup.unprintableMm;
            break;
        case PrinterLookup::Outcome::NoPrinter:
            m_target = Target::SlipsFolder;
            m_notices << lookup.reason + u"。"_s;
            break;
        case PrinterLookup::Outcome::Failed:
            m_target = Target::Printer;
            m_printerFailure = lookup.reason;
            break;
        }
    }
    if (QString problem; m_target == Target::SlipsFolder && !makeSlipsFolder(&problem))
        return fail(problem);

    m_placement = placeSlip(pageSizeMm, unprintable, m_choice.form);
    if (!m_placement.fits)
        m_notices << u"所选纸张的可打印范围小于销售清单，清单有一部分打印不出来。"_s;

    m_buffer = std::make_unique<QBuffer>();
    m_buffer->open(QIODevice::WriteOnly);
    m_pdf = std::make_unique<QPdfWriter>(m_buffer.get());
    m_pdf->setTitle(jobName);
    m_pdf->setCreator(u"Quenvale"_s);
    m_pdf->setPageLayout(m_placement.paper);
    // A page is replayed at the resolution it was recorded at: on a device of another resolution a recorded picture
    // scales its texts a second time. The painter's scale does the rest, so nothing is rasterised.
    m_pdf->setResolution(QPicture().logicalDpiX());
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_pdf.get())) {
        release();
        return fail(u"无法生成销售清单的文件"_s);
    }
    const double dotsPerInch = m_pdf->logicalDpiX();
    m_painter->translate(m_placement.originMm.x() / millimetresPerInch * dotsPerInch,
                         m_placement.originMm.y() / millimetresPerInch * m_pdf->logicalDpiY());
    m_painter->scale(dotsPerInch / twipsPerInch, m_pdf->logicalDpiY() / twipsPerInch);
    return true;
}

bool PrinterPageSink::printPage(const QPicture& page)
{
    if (!m_painter)
        return fail(u"打印没有开始"_s);
    if (m_pages > 0 && !m_pdf->newPage())
        return fail(u"无法开始新的一页"_s);
    m_painter->drawPicture(0, 0, page);
    ++m_pages;
    for (const DrawnText& drawn : textsOf(page))
        m_drawn[drawn.font] += drawn.text;
    return true;
}

bool PrinterPageSink::end()
{
    if (!m_painter)
        return fail(u"打印没有开始"_s);
    const bool drawn = m_painter->end();
    m_painter.reset();
    m_pdf.reset();
    const QByteArray pdf = drawn ? withTrueTextMaps(m_buffer->data(), m_drawn) : QByteArray();
    release();
    if (pdf.isEmpty())
        return fail(u"无法生成销售清单的文件"_s);

    QString problem;
    switch (m_target) {
    case Target::SlipsFolder:
        return keepInSlips(pdf, &problem) || fail(problem);
    case Target::ChosenFile:
        if (save(m_choice.outputFile, pdf)) {
            m_written = m_choice.outputFile;
            return true;
        }
        m_error = cannotWrite(m_choice.outputFile);
        break;
    case Target::Printer:
        m_error = m_printerFailure;
        if (m_error.isEmpty()) {
            const PrintJob job { m_printer, m_job, pdf, jobOptions() };
            const auto watch = std::chrono::milliseconds(timing().printJobWatch);
            runOffThread([&job, watch, this] { m_error = printJob(job, patience(), watch); });
        }
        if (m_error.isEmpty())
            return true;
        break;
    }
    // the slip is not lost with the printer or the file: the clerk can print it again from here
    if (!keepInSlips(pdf, &problem))
        m_error += u"；"_s + problem;
    return false;
}

void PrinterPageSink::abort()
{
    release();
}

bool PrinterPageSink::fail(const QString& text)
{
    m_error = text;
    return false;
}

void PrinterPageSink::release()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_pdf.reset();
    m_buffer.reset();
}

bool PrinterPageSink::keepInSlips(const QByteArray& pdf, QString* problem)
{
    if (!makeSlipsFolder(problem))
        return false;
    const QString path = slipFilePath(slipsFolder(), m_job, clock().now());
    if (!save(path, pdf)) {
        *problem = cannotWrite(path);
        return false;
    }
    m_written = path;
    return true;
}

QList<std::pair<QString, QString>> PrinterPageSink::jobOptions() const
{
    QList<std::pair<QString, QString>> options;
    for (const auto& option : m_choice.systemOptions) {
        // the paper is the run's to say: the slip was laid out on it
        if (option.first != u"media"_s && option.first != u"PageSize"_s && option.first != u"PageRegion"_s)
            options << option;
    }
    options.append({ u"media"_s, mediaName(m_placement.paper) });
    if (m_choice.copies > 1) {
        options.append({ u"copies"_s, QString::number(m_choice.copies) });
        options.append({ u"multiple-document-handling"_s,
                         m_choice.collateCopies ? u"separate-documents-collated-copies"_s
                                                : u"separate-documents-uncollated-copies"_s });
    }
    if (!m_choice.sides.isEmpty())
        options.append({ u"sides"_s, m_choice.sides });
    return options;
}

} // namespace platform
