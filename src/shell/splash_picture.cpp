#include "shell/splash_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

// The picture is laid out on a 480 × 300 grid and scaled to the area.
constexpr qreal gridWidth = 480;
constexpr qreal gridHeight = 300;
constexpr QPointF capsuleCentre(372, 112);

void background(QPainter& p)
{
    QLinearGradient sky(0, 0, gridWidth, gridHeight);
    sky.setColorAt(0, QColor(0x0d, 0x4f, 0x4b));
    sky.setColorAt(1, QColor(0x1f, 0x8a, 0x6c));
    p.fillRect(QRectF(0, 0, gridWidth, gridHeight), sky);

    // soft rings behind the capsule
    p.setPen(Qt::NoPen);
    QRadialGradient glow(capsuleCentre, 170);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(glow);
    p.drawEllipse(capsuleCentre, 170, 170);
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 3; ++ring) {
        p.setPen(QPen(QColor(255, 255, 255, 28 - ring * 7), 1.5));
        p.drawEllipse(capsuleCentre, 70.0 + ring * 38, 70.0 + ring * 38);
    }
}

void capsule(QPainter& p)
{
    p.save();
    p.translate(capsuleCentre);
    p.rotate(-35);
    const QRectF body(-84, -30, 168, 60);
    QPainterPath whole;
    whole.addRoundedRect(body, 30, 30);
    QPainterPath leftHalf;
    leftHalf.addRect(QRectF(body.left(), body.top(), body.width() / 2, body.height()));

    // shadow
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawPath(whole.translated(6, 8));

    QLinearGradient redShade(0, body.top(), 0, body.bottom());
    redShade.setColorAt(0, QColor(0xf0, 0x6a, 0x5a));
    redShade.setColorAt(1, QColor(0xb8, 0x2e, 0x26));
    p.setBrush(redShade);
    p.drawPath(whole.intersected(leftHalf));
    QLinearGradient whiteShade(0, body.top(), 0, body.bottom());
    whiteShade.setColorAt(0, QColor(0xff, 0xff, 0xff));
    whiteShade.setColorAt(1, QColor(0xd6, 0xe2, 0xe0));
    p.setBrush(whiteShade);
    p.drawPath(whole.subtracted(leftHalf));

    p.setPen(QPen(QColor(0, 0, 0, 50), 2));
    p.drawLine(QPointF(0, body.top() + 1), QPointF(0, body.bottom() - 1));
    // gloss
    p.setPen(QPen(QColor(255, 255, 255, 150), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(body.left() + 28, body.top() + 13), QPointF(body.right() - 28, body.top() + 13));
    p.restore();
}

void cross(QPainter& p, const QPointF& centre, qreal size)
{
    const qreal arm = size / 3;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(QRectF(centre.x() - arm / 2, centre.y() - size / 2, arm, size), 2, 2);
    p.drawRoundedRect(QRectF(centre.x() - size / 2, centre.y() - arm / 2, size, arm), 2, 2);
}

void lettering(QPainter& p)
{
    QFont name = p.font();
    name.setPixelSize(54);
    name.setBold(true);
    name.setLetterSpacing(QFont::PercentageSpacing, 102);
    p.setFont(name);
    p.setPen(QColor(0, 0, 0, 60));
    p.drawText(QPointF(38, 216), u"Quenvale"_s);
    p.setPen(QColor(0xff, 0xff, 0xff));
    p.drawText(QPointF(36, 213), u"Quenvale"_s);

    p.setPen(QPen(QColor(0xf2, 0xc9, 0x4c), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(38, 232), QPointF(128, 232));

    QFont line = p.font();
    line.setPixelSize(17);
    line.setBold(false);
    line.setLetterSpacing(QFont::PercentageSpacing, 110);
    p.setFont(line);
    p.setPen(QColor(0xdc, 0xf1, 0xea));
    p.drawText(QPointF(38, 262), u"医药批发 · 销售管理"_s);
}

} // namespace

void paintSplashPicture(QPainter& painter, const QRectF& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(area.topLeft());
    painter.scale(area.width() / gridWidth, area.height() / gridHeight);
    background(painter);
    capsule(painter);
    cross(painter, { 52, 62 }, 34);
    lettering(painter);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, gridWidth - 1, gridHeight - 1));
    painter.restore();
}

} // namespace shell
