#include "shell/toolbar_image.h"

#include "shell/toolbar_pictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace shell {

ToolbarImage::ToolbarImage(const QString& name, const QString& toolTip, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setToolTip(toolTip);
}

void ToolbarImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF area = rect();
    if (m_pressed)
        area.translate(1, 1);
    paintToolbarPicture(painter, area, objectName());
}

void ToolbarImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    update();
}

void ToolbarImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    update();
    // like a button: letting go outside the picture cancels the click
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace shell
