#include "platform/printer_page_sink.h"

#include "platform/clock.h"
#include "platform/data_folder.h"
#include "platform/pdf_text_map.h"
#include "platform/picture_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

constexpr double twipsPerInch = 1440.0;
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

/** Rewrites the file's text maps so that its text reads as it was drawn; the length stays, so in place. */
bool mendTextMaps(const QString& path, const QHash<QFont, QString>& drawn)
{
    GlyphRenames renames;
    for (auto font = drawn.cbegin(); font != drawn.cend(); ++font)
        addSharedGlyphRenames(renames, font.key(), font.value());
    if (renames.isEmpty())
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray written = file.readAll();
    const QByteArray mended = renameTextMapCodes(written, renames);
    if (mended == written)
        return true;
    return file.seek(0) && file.write(mended) == mended.size() && file.flush();
}

} // namespace

bool anyPrinterInstalled()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QString slipFilePath(const QString& folder, const QString& jobName, const QDateTime& moment)
{
    const QDir dir(folder);
    const QString stem = safeFilePart(jobName) + u'-' + moment.toString(u"yyyyMMdd-HHmmss"_s);
    QString path = dir.filePath(stem + u".pdf"_s);
    for (int count = 2; QFileInfo::exists(path); ++count)
        path = dir.filePath(u"%1-%2.pdf"_s.arg(stem).arg(count));
    return path;
}

PrinterPageSink::PrinterPageSink(QPrinter& printer, std::function<bool()> printerInstalled)
    : m_printer(printer), m_printerInstalled(std::move(printerInstalled))
{ }

PrinterPageSink::~PrinterPageSink()
{
    if (m_painter)
        abort();
}

bool PrinterPageSink::begin(const QString& jobName, const QSizeF& pageSizeMm)
{
    if (m_painter)
        abort();
    m_error.clear();
    m_written.clear();
    m_path.clear();
    m_pages = 0;
    m_drawn.clear();

    // an exact match keeps a wide slip from being taken for a standard size turned on its side
    const QPageLayout layout(QPageSize(pageSizeMm, QPageSize::Millimeter, {}, QPageSize::ExactMatch),
                             QPageLayout::Portrait, QMarginsF());
    // A page is replayed at the resolution it was recorded at: on a device of another resolution a recorded picture
    // scales its texts a second time. The painter's scale does the rest, so nothing is rasterised.
    const int resolution = QPicture().logicalDpiX();

    if (!m_printerInstalled() || m_printer.outputFormat() == QPrinter::PdfFormat) {
        const QString folder = QDir(dataFolder()).filePath(u"slips"_s);
        if (!QDir().mkpath(folder))
            return fail(u"无法建立文件夹 %1"_s.arg(QDir::toNativeSeparators(folder)));
        m_path = slipFilePath(folder, jobName, clock().now());
        m_pdf = std::make_unique<QPdfWriter>(m_path);
        m_pdf->setTitle(jobName);
        m_pdf->setCreator(u"Quenvale"_s);
        m_pdf->setPageLayout(layout);
        m_pdf->setResolution(resolution);
        m_device = m_pdf.get();
    } else {
        m_printer.setDocName(jobName);
        m_printer.setFullPage(true);
        // a driver that cannot take the slip's size prints it from the top-left corner of its own paper
        m_printer.setPageLayout(layout);
        m_printer.setResolution(resolution);
        m_device = &m_printer;
    }

    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_device)) {
        const QString problem = m_pdf ? u"无法写入文件 %1"_s.arg(QDir::toNativeSeparators(m_path))
                                      : u"打印机“%1”无法开始打印"_s.arg(m_printer.printerName());
        release(false);
        return fail(problem);
    }
    m_painter->scale(m_device->logicalDpiX() / twipsPerInch, m_device->logicalDpiY() / twipsPerInch);
    return true;
}

bool PrinterPageSink::printPage(const QPicture& page)
{
    if (!m_painter)
        return fail(u"打印没有开始"_s);
    if (m_pages > 0 && !m_device->newPage())
        return fail(u"无法开始新的一页"_s);
    m_painter->drawPicture(0, 0, page);
    ++m_pages;
    if (m_pdf) {
        for (const DrawnText& drawn : textsOf(page))
            m_drawn[drawn.font] += drawn.text;
    }
    if (!m_pdf && m_printer.printerState() == QPrinter::Error)
        return fail(u"打印机“%1”出错"_s.arg(m_printer.printerName()));
    return true;
}

bool PrinterPageSink::end()
{
    if (!m_painter)
        return fail(u"打印没有开始"_s);
    const bool toFile = m_pdf != nullptr;
    const QString path = m_path;
    bool ended = m_painter->end();
    if (toFile) {
        m_painter.reset();
        m_pdf.reset();
        ended = ended && QFileInfo(path).size() > 0 && mendTextMaps(path, m_drawn);
    } else {
        ended = ended && m_printer.printerState() != QPrinter::Error;
    }
    release(ended);
    if (!ended) {
        return fail(toFile ? u"无法写入文件 %1"_s.arg(QDir::toNativeSeparators(path))
                           : u"打印机“%1”出错"_s.arg(m_printer.printerName()));
    }
    if (toFile)
        m_written = path;
    return true;
}

void PrinterPageSink::abort()
{
    if (m_painter && !m_pdf)
        m_printer.abort();
    release(false);
}

bool PrinterPageSink::fail(const QString& text)
{
    m_error = text;
    return false;
}

void PrinterPageSink::release(bool keepFile)
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_pdf.reset();
    m_device = nullptr;
    if (!keepFile && !m_path.isEmpty())
        QFile::remove(m_path);
    m_path.clear();
}

} // namespace platform
