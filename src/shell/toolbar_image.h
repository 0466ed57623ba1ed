#pragma once

#include <QWidget>

namespace shell {

/** One picture of the toolbar strip that acts when clicked; its picture is chosen by its object name. */
class ToolbarImage final : public QWidget
{
    Q_OBJECT

public:
    ToolbarImage(const QString& name, const QString& toolTip, QWidget* parent);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace shell
