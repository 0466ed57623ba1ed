#pragma once

#include <QWidget>

namespace shell {

/**
 * One picture of the toolbar strip that acts when clicked; its picture is chosen by its object name. A picture with
 * a tooltip is a button to the keyboard and to screen readers too: Tab reaches it, Space or Enter presses it, and it
 * is offered as a push button named by its tooltip.
 */
class ToolbarImage final : public QWidget
{
    Q_OBJECT

public:
    ToolbarImage(const QString& name, const QString& toolTip, QWidget* parent);

    /** Acts as a click does; a disabled picture does nothing. */
    void press();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_pressed = false;
    /** Reached by the keyboard: the focus is shown, which it is not when a window merely gives it the picture. */
    bool m_keyboardFocus = false;
};

} // namespace shell
