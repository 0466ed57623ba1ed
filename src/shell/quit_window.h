#pragma once

#include <QWidget>

class QTimer;

namespace shell {

/**
 * `quitform`: the borderless notice shown while the program saves before it ends. Shortly after it is shown it runs
 * the final-save hook, closes and ends the program.
 */
class QuitWindow final : public QWidget
{
    Q_OBJECT

public:
    QuitWindow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void finish();

    QTimer* m_timer;
};

} // namespace shell
