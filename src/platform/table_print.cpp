#include "platform/table_print.h"

#include "platform/page_sink.h"
#include "platform/progress_bar.h"
#include "platform/table_rows.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

// Twips (1/1440 inch) on A4 paper across.
constexpr qreal pageWidth = 16838;
constexpr qreal pageHeight = 11906;
constexpr qreal margin = 720;
constexpr qreal titleHeight = 420;
constexpr qreal subtitleHeight = 300;
constexpr qreal headingHeight = 330;
constexpr qreal rowHeight = 290;
constexpr qreal footHeight = 330;
constexpr qreal cellPadding = 60;
constexpr qreal narrowestColumn = 500;
constexpr qreal widestColumn = 4200;
constexpr int bodyPixels = 180; // 9 pt
constexpr int titlePixels = 280; // 14 pt
constexpr qreal ruleWidth = 15;
// the rows measured for the column widths
constexpr int measuredRows = 200;

const QString fontFamily = u"Noto Sans CJK SC"_s;

QFont fontOf(int pixels, bool bold = false)
{
    QFont font(fontFamily);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

bool looksNumeric(const QString& text)
{
    static const QRegularExpression number(u"^\\s*-?\\d+(\\.\\d+)?\\s*$"_s);
    return number.match(text).hasMatch();
}

qreal rowsTop()
{
    return margin + titleHeight + subtitleHeight + headingHeight;
}

} // namespace

QSizeF tablePageSizeMm()
{
    return QSizeF(297, 210);
}

TablePages::TablePages(const TableHeading& heading, const QStringList& headings, const QList<QStringList>& firstRows)
    : m_heading(heading), m_headings(headings)
{
    const QFontMetricsF body(fontOf(bodyPixels));
    const QFontMetricsF bold(fontOf(bodyPixels, true));
    const qsizetype columns = headings.size();
    qreal total = 0;
    for (qsizetype c = 0; c < columns; ++c) {
        qreal width = bold.horizontalAdvance(headings.at(c));
        bool numeric = true;
        bool any = false;
        for (qsizetype r = 0; r < qMin<qsizetype>(firstRows.size(), measuredRows); ++r) {
            const QString text = firstRows.at(r).value(c);
            width = qMax(width, body.horizontalAdvance(text));
            if (!text.isEmpty()) {
                any = true;
                numeric = numeric && looksNumeric(text);
            }
        }
        const qreal column = qBound(narrowestColumn, width + 2 * cellPadding, widestColumn);
        m_widths << column;
        m_right << (any && numeric);
        total += column;
    }
    const qreal available = pageWidth - 2 * margin;
    if (total > available) {
        for (qreal& width : m_widths)
            width *= available / total;
    }
    m_rowsPerPage = qMax(1, int((pageHeight - margin - footHeight - rowsTop()) / rowHeight));
}

bool TablePages::closingFits(qsizetype rows) const
{
    return rows + m_heading.closing.size() <= m_rowsPerPage;
}

QPicture TablePages::page(int number, const QList<QStringList>& rows, const QStringList& closing) const
{
    QPicture picture;
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, ruleWidth));

    painter.setFont(fontOf(titlePixels, true));
    painter.drawText(QRectF(margin, margin, pageWidth - 2 * margin, titleHeight), Qt::AlignHCenter | Qt::AlignTop,
                     m_heading.title);
    painter.setFont(fontOf(bodyPixels));
    painter.drawText(QRectF(margin, margin + titleHeight, pageWidth - 2 * margin, subtitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, m_heading.subtitle);

    const auto drawRow = [&](const QStringList& texts, qreal top, qreal height, const QFont& font) {
        painter.setFont(font);
        const QFontMetricsF metrics(font);
        qreal left = margin;
        for (qsizetype c = 0; c < m_widths.size(); ++c) {
            const qreal width = m_widths.at(c);
            const QRectF cell(left + cellPadding, top, width - 2 * cellPadding, height);
            const QString shown = metrics.elidedText(texts.value(c), Qt::ElideRight, cell.width());
            painter.drawText(cell, (m_right.at(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, shown);
            left += width;
        }
    };
    const qreal headingTop = margin + titleHeight + subtitleHeight;
    drawRow(m_headings, headingTop, headingHeight, fontOf(bodyPixels, true));
    const qreal tableWidth = std::accumulate(m_widths.cbegin(), m_widths.cend(), qreal(0));
    painter.drawLine(QPointF(margin, headingTop), QPointF(margin + tableWidth, headingTop));
    painter.drawLine(QPointF(margin, rowsTop()), QPointF(margin + tableWidth, rowsTop()));

    qreal top = rowsTop();
    for (const QStringList& row : rows) {
        drawRow(row, top, rowHeight, fontOf(bodyPixels));
        top += rowHeight;
    }
    painter.drawLine(QPointF(margin, top), QPointF(margin + tableWidth, top));
    painter.setFont(fontOf(bodyPixels));
    for (const QString& line : closing) {
        painter.drawText(QRectF(margin, top, pageWidth - 2 * margin, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         line);
        top += rowHeight;
    }
    painter.drawText(QRectF(margin, pageHeight - margin - footHeight, pageWidth - 2 * margin, footHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, u"第 %1 页"_s.arg(number));
    painter.end();
    return picture;
}

TablePrintOutcome printTableRows(TableRows& rows, const TableHeading& heading, PageSink& sink)
{
    TablePrintOutcome outcome;
    const auto stop = [&](bool begun, const QString& why = {}) {
        outcome.failure = why.isEmpty() ? sink.errorText() : why;
        if (outcome.failure.isEmpty())
            outcome.failure = u"未知错误"_s;
        if (begun)
            sink.abort();
        outcome.writtenFile = sink.writtenFile();
        outcome.notice = sink.notice();
        return outcome;
    };

    auto waiting = rows.next(measuredRows);
    if (!waiting)
        return stop(false, u"无法读取数据"_s);
    const TablePages pages(heading, rows.headings(), *waiting);
    const int perPage = pages.rowsPerPage();
    if (!sink.begin(heading.title, tablePageSizeMm()))
        return stop(false);

    ProgressRun progress(u"正在打印……"_s, rows.count());
    qint64 printed = 0;
    bool readAll = false;
    for (;;) {
        // Enough rows waiting for a page, or all there are.
        while (!readAll && waiting->size() < perPage + 1) {
            const auto more = rows.next(perPage * 20);
            if (!more)
                return stop(true, u"无法读取数据"_s);
            readAll = more->isEmpty();
            *waiting += *more;
        }
        const QList<QStringList> onPage = waiting->mid(0, perPage);
        waiting->remove(0, onPage.size());
        const bool last = readAll && waiting->isEmpty();
        const bool closingHere = last && pages.closingFits(onPage.size());
        if (!sink.printPage(pages.page(++outcome.pages, onPage, closingHere ? heading.closing : QStringList())))
            return stop(true);
        printed += onPage.size();
        if (last && !closingHere && !heading.closing.isEmpty()) {
            if (!sink.printPage(pages.page(++outcome.pages, {}, heading.closing)))
                return stop(true);
        }
        if (last)
            break;
        if (!progress.advance(printed)) {
            sink.abort();
            outcome.cancelled = true;
            return outcome;
        }
    }
    if (!sink.end())
        return stop(false);
    outcome.writtenFile = sink.writtenFile();
    outcome.notice = sink.notice();
    return outcome;
}

} // namespace platform
