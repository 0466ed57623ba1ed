#pragma once

#include <QWidget>

namespace shell {

/** The grey picture strip `Picture1` at the top of the main window with its images and separator lines. */
class ToolbarStrip final : public QWidget
{
    Q_OBJECT

public:
    explicit ToolbarStrip(QWidget* parent);

signals:
    /** An image was clicked; the name is its object name. */
    void imageClicked(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace shell
