#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace shell {

/** Draws the picture of the toolbar image with that name into the area; an unknown name draws nothing. */
void paintToolbarPicture(QPainter& painter, const QRectF& area, const QString& imageName);

} // namespace shell
