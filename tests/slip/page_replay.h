#pragma once

#include <QLineF>
#include <QList>
#include <QPicture>
#include <QRectF>
#include <QString>

namespace testsupport {

/** A text as a page drew it, in the page's units (twips). */
struct DrawnText
{
    QString text;
    QRectF box; ///< from the top of its font's ascent to the bottom of its descent
    qreal baseline = 0;
    QRectF ink; ///< the bounds of its glyphs' outlines
    QRectF clip; ///< the bounds of the clip it was drawn in; null when nothing clipped it
    int pixelSize = 0;
    QString family;
};

/** Everything a page drew, in the order it was drawn. */
struct DrawnPage
{
    QList<DrawnText> texts;
    QList<QLineF> lines;

    /** The first text drawn exactly so; nullptr when there is none. */
    const DrawnText* find(const QString& text) const;
    bool contains(const QString& text) const { return find(text) != nullptr; }
};

/** Plays a page through a paint engine that notes the texts and lines instead of drawing them. */
DrawnPage replay(const QPicture& page);

} // namespace testsupport
