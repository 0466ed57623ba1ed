#include "shell/toolbar_image.h"

#include "shell/toolbar_image_accessible.h"
#include "shell/toolbar_pictures.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace shell {

ToolbarImage::ToolbarImage(const QString& name, const QString& toolTip, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setToolTip(toolTip);
    if (!toolTip.isEmpty()) {
        installToolbarImageAccessibility();
        setAccessibleName(toolTip);
        setFocusPolicy(Qt::TabFocus);
    }
}

void ToolbarImage::press()
{
    if (isEnabled())
        emit clicked();
}

void ToolbarImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF area = rect();
    if (m_pressed)
        area.translate(1, 1);
    paintToolbarPicture(painter, area, objectName());
    if (m_keyboardFocus && hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
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

void ToolbarImage::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // a held key presses the picture once
        if (!event->isAutoRepeat())
            press();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ToolbarImage::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_keyboardFocus = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
}

void ToolbarImage::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_keyboardFocus = false;
    update();
}

} // namespace shell
