#pragma once

#include <QWidget>

class QTimer;

namespace shell {

/** `index`: the borderless start-up picture, shown for the splash interval. */
class SplashWindow final : public QWidget
{
    Q_OBJECT

public:
    SplashWindow();

signals:
    /** The splash interval has passed since the window was shown; emitted once. */
    void elapsed();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* m_timer;
    bool m_started = false;
};

} // namespace shell
