#include "slip/slip_painting.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace slip {

namespace {

// 宋体 and 黑体 of the stationery's design, as the CJK fonts the program is deployed with
const QString bodyFamily = u"Noto Serif CJK SC"_s;
const QString titleFamily = u"Noto Sans CJK SC"_s;
constexpr int bodyHeight = 195; // 9.75 pt
constexpr int titleHeight = 315; // 15.75 pt
constexpr int smallHeight = 180;
// one pixel on the screen, a fine line on paper
constexpr int ruleWidth = 15;
// wide enough for any text of a field that grows with it
constexpr int growingWidth = 12000;
// A text wider than its field is narrowed to fit, down to this share of its width, and cut beyond: the program's
// fonts run wider than the stationery's design assumed, and a sales number must not lose a character.
constexpr qreal narrowestShare = 0.6;
// The stationery places a text by the top of its line in 宋体 or 黑体, whose line is the em box: SimSun and SimHei
// rise 859/1000 em above the baseline and fall 141/1000 below (their font descriptors in the Haru PDF library's CJK
// font tables). A text's baseline therefore lies that far below its y whatever font draws it; drawn from the top of
// the taller Noto CJK line (1.15 em and more above the baseline) a text would sink onto the rule under it.
constexpr qreal designAscent = 0.859;
// how far a glyph keeps from the top edge of the paper: one pixel on the screen, as a glyph drawn at another
// resolution may rise a little above its measured bounds
constexpr int paperEdgeClearance = 15;

const SlipRow& rowOf(const SlipText& text, const SlipPage& page)
{
    return page.rows[static_cast<size_t>(text.row - 1)];
}

/** Where the text's baseline stands: where the stationery's font would have it, but never so high that a glyph
 *  leaves the paper. */
qreal baselineOf(const SlipText& text, const QFont& font, const QString& shown)
{
    const qreal designed = text.y + designAscent * font.pixelSize();
    // The title stands at the very top of the stationery (y -10: 黑体's em box at the edge of the paper); the glyphs of
    // the CJK fonts fill more of their em box and would be cut there.
    const qreal rise = -QFontMetricsF(font).tightBoundingRect(shown).top();
    return qMax(designed, rise + paperEdgeClearance);
}

/** The box a text is laid out in from its top, so that its line's baseline falls at `baseline`. */
QRectF boxOf(const SlipText& text, const QFont& font, qreal baseline)
{
    const qreal top = baseline - QFontMetricsF(font).ascent();
    // two ems: room for every glyph of the line, so that a field clips its text at its sides only
    const qreal height = 2 * font.pixelSize();
    if (text.width > 0)
        return QRectF(text.x, top, text.width, height);
    if (text.align == FieldAlign::Right)
        return QRectF(text.x - growingWidth, top, growingWidth, height);
    return QRectF(text.x, top, growingWidth, height);
}

int alignmentOf(FieldAlign align)
{
    switch (align) {
    case FieldAlign::Left:
        return Qt::AlignLeft;
    case FieldAlign::Centre:
        return Qt::AlignHCenter;
    case FieldAlign::Right:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

} // namespace

QFont slipFont(SlipFont font)
{
    QFont result(font == SlipFont::Title ? titleFamily : bodyFamily);
    // Shaping gives digits among Latin letters (XH00000000001Q) glyphs of their own, which a PDF cannot map back
    // to characters: the sales number would be lost to a text search of the file.
    result.setStyleStrategy(QFont::PreferNoShaping);
    switch (font) {
    case SlipFont::Body:
        result.setPixelSize(bodyHeight);
        break;
    case SlipFont::Title:
        result.setPixelSize(titleHeight);
        break;
    case SlipFont::Small:
        result.setPixelSize(smallHeight);
        break;
    }
    return result;
}

QString shownText(const SlipText& text, const SlipPage& page)
{
    const SlipHeader& header = page.header;
    switch (text.field) {
    case Field::Caption:
        return text.caption;
    case Field::Title:
        return header.title;
    case Field::Zone:
        return page.zone;
    case Field::Buyer:
        return header.buyer;
    case Field::Year:
        return header.year;
    case Field::Month:
        return header.month;
    case Field::Day:
        return header.day;
    case Field::Clerk:
        return header.clerk;
    case Field::SalesNumber:
        return header.salesNumber;
    case Field::Subtotal:
        return page.subtotal;
    case Field::LineCount:
        return header.lineCount;
    case Field::TotalInWords:
        return header.totalInWords;
    case Field::Total:
        return header.total;
    case Field::PageNumber:
        return page.pageNumber;
    case Field::RowName:
        return rowOf(text, page).name;
    case Field::RowMaker:
        return rowOf(text, page).maker;
    case Field::RowSpec:
        return rowOf(text, page).spec;
    case Field::RowQuantity:
        return rowOf(text, page).quantity;
    case Field::RowUnit:
        return rowOf(text, page).unit;
    case Field::RowUnitPrice:
        return rowOf(text, page).unitPrice;
    case Field::RowAmount:
        return rowOf(text, page).amount;
    case Field::RowBatchNo:
        return rowOf(text, page).batchNo;
    case Field::RowExpiry:
        return rowOf(text, page).expiry;
    case Field::RowMark:
        return rowOf(text, page).mark;
    }
    return {};
}

void paintSlipPage(QPainter& painter, const SlipLayout& layout, const SlipPage& page)
{
    painter.save();
    painter.setPen(QPen(Qt::black, ruleWidth, Qt::SolidLine, Qt::FlatCap));
    for (const SlipRule& rule : layout.rules)
        painter.drawLine(rule.x1, rule.y1, rule.x2, rule.y2);

    for (const SlipText& text : layout.texts) {
        const QString shown = shownText(text, page);
        if (shown.isEmpty())
            continue;
        const QFont font = slipFont(text.font);
        painter.setFont(font);
        const int flags = alignmentOf(text.align) | Qt::AlignTop | Qt::TextSingleLine;
        const QRectF box = boxOf(text, font, baselineOf(text, font, shown));
        if (text.width == 0) {
            painter.drawText(box, flags | Qt::TextDontClip, shown);
            continue;
        }
        const qreal advance = QFontMetricsF(font).horizontalAdvance(shown);
        const qreal share = advance > text.width ? qMax(narrowestShare, text.width / advance) : 1.0;
        painter.save();
        painter.translate(box.left(), 0);
        painter.scale(share, 1.0);
        painter.drawText(QRectF(0, box.top(), box.width() / share, box.height()), flags, shown);
        painter.restore();
    }
    painter.restore();
}

QPicture slipPicture(const SlipLayout& layout, const SlipPage& page)
{
    QPicture picture;
    QPainter painter(&picture);
    paintSlipPage(painter, layout, page);
    painter.end();
    return picture;
}

} // namespace slip
