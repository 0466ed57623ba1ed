#include "shell/toolbar_pictures.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

// Every picture is drawn on a grid of 32 × 32 units, scaled to the image's size, so it stays sharp at any density.
constexpr qreal grid = 32.0;

const QColor ink(0x2b, 0x3a, 0x4a);
const QColor paperWhite(0xff, 0xff, 0xff);
const QColor paperLine(0x9a, 0xa8, 0xb6);
const QColor green(0x2e, 0x9d, 0x5b);
const QColor red(0xcf, 0x43, 0x37);
const QColor blue(0x2f, 0x6f, 0xb3);
const QColor amber(0xe8, 0xa3, 0x17);
const QColor steel(0x7d, 0x8b, 0x99);

QPen outline(qreal width = 1.4)
{
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

/** A sheet with a folded corner and a few lines of text. */
void sheet(QPainter& p, const QRectF& r)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(outline());
    p.setBrush(paperWhite);
    p.drawPath(path);
    p.drawPolyline(QPolygonF(
        { { r.right() - fold, r.top() }, { r.right() - fold, r.top() + fold }, { r.right(), r.top() + fold } }));
    p.setPen(QPen(paperLine, 1.2, Qt::SolidLine, Qt::RoundCap));
    for (qreal y = r.top() + fold + 3; y < r.bottom() - 2; y += 3.5)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

/** A round badge in the lower right corner, the place for what an action adds to its subject. */
void badge(QPainter& p, const QColor& colour, const QPointF& centre = { 24, 24 }, qreal radius = 7)
{
    p.setPen(QPen(paperWhite, 1.5));
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void plusMark(QPainter& p, const QPointF& centre, qreal half)
{
    p.setPen(QPen(paperWhite, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre - QPointF(half, 0), centre + QPointF(half, 0));
    p.drawLine(centre - QPointF(0, half), centre + QPointF(0, half));
}

/** A two-coloured capsule lying at an angle (degrees, clockwise from horizontal). */
void capsule(QPainter& p, const QPointF& centre, qreal length, qreal thickness, qreal angle)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF body(-length / 2, -thickness / 2, length, thickness);
    QPainterPath whole;
    whole.addRoundedRect(body, thickness / 2, thickness / 2);
    QPainterPath leftHalf;
    leftHalf.addRect(QRectF(body.left(), body.top(), length / 2, thickness));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(whole.intersected(leftHalf));
    p.setBrush(paperWhite);
    p.drawPath(whole.subtracted(leftHalf));
    p.setPen(outline());
    p.setBrush(Qt::NoBrush);
    p.drawPath(whole);
    p.drawLine(QPointF(0, body.top()), QPointF(0, body.bottom()));
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(body.left() + thickness / 2, body.top() + 2), QPointF(-2, body.top() + 2));
    p.restore();
}

void pencil(QPainter& p, const QPointF& tip, qreal length, qreal angle)
{
    p.save();
    p.translate(tip);
    p.rotate(angle);
    const qreal w = 2.6;
    p.setPen(outline(1.1));
    p.setBrush(amber);
    p.drawRect(QRectF(5, -w, length - 8, 2 * w));
    p.setBrush(QColor(0xf0, 0x9a, 0x9a));
    p.drawRect(QRectF(length - 3, -w, 3, 2 * w));
    p.setBrush(QColor(0xf3, 0xd9, 0xa8));
    p.drawPolygon(QPolygonF({ { 0, 0 }, { 5, -w }, { 5, w } }));
    p.restore();
}

void copyright(QPainter& p)
{
    p.setPen(outline(1.6));
    p.setBrush(QColor(0xf6, 0xf8, 0xfa));
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setPen(QPen(blue, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(9.5, 9.5, 13, 13), 45 * 16, 270 * 16);
}

void storedSale(QPainter& p)
{
    sheet(p, { 4, 2, 19, 25 });
    badge(p, green);
    p.setPen(QPen(paperWhite, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(24, 19.5), QPointF(24, 27));
    p.drawPolyline(QPolygonF({ { 20.8, 24 }, { 24, 27.2 }, { 27.2, 24 } }));
}

void unstoredSale(QPainter& p)
{
    sheet(p, { 4, 2, 19, 25 });
    badge(p, red);
    p.setPen(QPen(paperWhite, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20.5, 24), QPointF(27.5, 24));
}

void reviewSale(QPainter& p)
{
    sheet(p, { 4, 2, 19, 25 });
    p.setPen(QPen(ink, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24.5, 24.5), QPointF(29.5, 29.5));
    p.setPen(outline(2.0));
    p.setBrush(QColor(0xd9, 0xec, 0xfb, 220));
    p.drawEllipse(QPointF(20, 20), 6, 6);
}

void printer(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(paperWhite);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(0xc9, 0xd1, 0xd9));
    p.drawRoundedRect(QRectF(3, 11, 26, 12), 2.5, 2.5);
    p.setBrush(paperWhite);
    p.drawRect(QRectF(8, 19, 16, 10));
    p.setPen(QPen(paperLine, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 23), QPointF(21, 23));
    p.drawLine(QPointF(11, 26), QPointF(18, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawEllipse(QPointF(25, 15), 1.4, 1.4);
}

void newMedicine(QPainter& p)
{
    capsule(p, { 14, 14 }, 24, 10, -40);
    badge(p, green);
    plusMark(p, { 24, 24 }, 3.5);
}

void history(QPainter& p)
{
    const QPointF centre(16, 17);
    p.setPen(outline(1.6));
    p.setBrush(paperWhite);
    p.drawEllipse(centre, 9.5, 9.5);
    p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -6));
    p.drawLine(centre, centre + QPointF(4.5, 2.5));

    // an arrow turning back round the dial, from twelve o'clock anticlockwise
    constexpr qreal radius = 13.5;
    constexpr qreal startDegrees = 90;
    constexpr qreal spanDegrees = 140;
    p.setPen(QPen(blue, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), int(startDegrees * 16),
              int(spanDegrees * 16));
    const qreal end = qDegreesToRadians(startDegrees + spanDegrees);
    const QPointF tail = centre + QPointF(radius * qCos(end), -radius * qSin(end));
    const QPointF ahead(-qSin(end), -qCos(end)); // the way an anticlockwise turn goes on
    const QPointF across(-ahead.y(), ahead.x());
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({ tail + ahead * 4.5, tail + across * 3.5, tail - across * 3.5 }));
}

void modifyMedicine(QPainter& p)
{
    capsule(p, { 13, 12 }, 22, 9.5, -40);
    pencil(p, { 15, 29 }, 17, -45);
}

void newCustomer(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(QColor(0xee, 0xf1, 0xf4));
    p.drawPolygon(QPolygonF({ { 2, 13 }, { 14, 3 }, { 26, 13 }, { 26, 28 }, { 2, 28 } }));
    p.setBrush(steel);
    p.drawRect(QRectF(11, 20, 6, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawRect(QRectF(12.5, 9, 3, 9));
    p.drawRect(QRectF(9.5, 12, 9, 3));
    badge(p, green, { 25, 24 });
    plusMark(p, { 25, 24 }, 3.5);
}

void salesChart(QPainter& p)
{
    p.setPen(Qt::NoPen);
    const QColor bars[] = { blue, green, amber };
    const qreal heights[] = { 11, 18, 24 };
    for (int i = 0; i < 3; ++i) {
        p.setBrush(bars[i]);
        p.drawRect(QRectF(7 + i * 7.5, 28 - heights[i], 5.5, heights[i]));
    }
    p.setPen(outline(1.6));
    p.drawPolyline(QPolygonF({ { 4, 3 }, { 4, 28 }, { 30, 28 } }));
}

void medicineTotal(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 5, 5);
    p.setPen(QPen(paperWhite, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({ { 22, 9 }, { 10, 9 }, { 17, 16 }, { 10, 23 }, { 22, 23 } }));
}

void backup(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({ { 4, 3 }, { 24, 3 }, { 29, 8 }, { 29, 29 }, { 4, 29 } }));
    p.setBrush(QColor(0xd7, 0xdd, 0xe3));
    p.drawRect(QRectF(9, 3, 13, 9));
    p.setBrush(ink);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(17, 4.5, 3, 6));
    p.setPen(outline(1.1));
    p.setBrush(paperWhite);
    p.drawRect(QRectF(8, 17, 17, 12));
    p.setPen(QPen(paperLine, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 21), QPointF(22, 21));
    p.drawLine(QPointF(11, 25), QPointF(22, 25));
}

void helpTopics(QPainter& p)
{
    p.setPen(QPen(ink, 1.2));
    p.setBrush(blue);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    QPainterPath mark;
    mark.moveTo(11.5, 12.5);
    mark.cubicTo(11.5, 6.5, 21, 6.5, 20.5, 12.5);
    mark.cubicTo(20.2, 16, 16, 16, 16, 19.5);
    p.setPen(QPen(paperWhite, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(paperWhite);
    p.drawEllipse(QPointF(16, 24.3), 1.9, 1.9);
}

void exitProgram(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(QColor(0xee, 0xf1, 0xf4));
    p.drawRect(QRectF(4, 3, 15, 26));
    // the door, swung open
    p.setBrush(QColor(0xa0, 0x6a, 0x3c));
    p.drawPolygon(QPolygonF({ { 4, 3 }, { 13, 6 }, { 13, 31 }, { 4, 29 } }));
    p.setPen(Qt::NoPen);
    p.setBrush(amber);
    p.drawEllipse(QPointF(11, 17), 1.2, 1.2);
    p.setPen(QPen(red, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(17, 16), QPointF(29, 16));
    p.drawPolyline(QPolygonF({ { 24.5, 11.5 }, { 29, 16 }, { 24.5, 20.5 } }));
}

/** The wide picture at the end of the strip: the product's name beside a medical cross. */
void wordmark(QPainter& p, const QRectF& area)
{
    const qreal h = area.height();
    const QRectF mark(area.left() + 2, area.top() + h * 0.12, h * 0.76, h * 0.76);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawEllipse(mark);
    const qreal arm = mark.width() * 0.2;
    p.setBrush(paperWhite);
    p.drawRect(QRectF(mark.center().x() - arm / 2, mark.top() + arm, arm, mark.height() - 2 * arm));
    p.drawRect(QRectF(mark.left() + arm, mark.center().y() - arm / 2, mark.width() - 2 * arm, arm));

    const QString name = u"Quenvale"_s;
    const QRectF room(mark.right() + 5, area.top(), area.right() - mark.right() - 7, h);
    QFont font = p.font();
    font.setBold(true);
    font.setItalic(true);
    // as large as the room allows: font widths differ from one machine to the next
    for (int size = qRound(h * 0.6); size > 6; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(name) <= room.width())
            break;
    }
    p.setFont(font);
    p.setPen(QColor(0x1d, 0x5e, 0x45));
    p.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, name);
}

using Drawing = void (*)(QPainter&);

const QHash<QString, Drawing>& drawings()
{
    static const QHash<QString, Drawing> table {
        { u"Image10"_s, copyright },  { u"Image1"_s, storedSale },     { u"Image2"_s, unstoredSale },
        { u"Image15"_s, reviewSale }, { u"Image14"_s, printer },       { u"Image4"_s, newMedicine },
        { u"Look"_s, history },       { u"Image6"_s, modifyMedicine }, { u"Image5"_s, newCustomer },
        { u"Image7"_s, salesChart },  { u"Image8"_s, medicineTotal },  { u"Image3"_s, backup },
        { u"Image9"_s, helpTopics },  { u"Image11"_s, exitProgram },
    };
    return table;
}

} // namespace

void paintToolbarPicture(QPainter& painter, const QRectF& area, const QString& imageName)
{
    painter.save();
    if (imageName == u"Image12"_s) {
        wordmark(painter, area);
    } else if (const Drawing draw = drawings().value(imageName)) {
        const qreal side = qMin(area.width(), area.height());
        painter.translate(area.center() - QPointF(side / 2, side / 2));
        painter.scale(side / grid, side / grid);
        draw(painter);
    }
    painter.restore();
}

} // namespace shell
