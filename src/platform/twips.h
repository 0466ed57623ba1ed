#pragma once

#include <QRect>

class QWidget;

namespace platform {

/** 15 twips are one pixel at the usual screen density; window geometry is given in twips. */
constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return (twips + (twips >= 0 ? twipsPerPixel / 2 : -twipsPerPixel / 2)) / twipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

/** Places a control at a position and size given in twips. */
void place(QWidget* widget, int left, int top, int width, int height);

} // namespace platform
