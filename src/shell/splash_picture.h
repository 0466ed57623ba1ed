#pragma once

#include <QRectF>

class QPainter;

namespace shell {

/** Draws the start-up picture into the area. */
void paintSplashPicture(QPainter& painter, const QRectF& area);

} // namespace shell
