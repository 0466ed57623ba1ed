#pragma once

#include <QWidget>

class QTimer;

namespace maintenance {

/** `frmAbout`: the product's name and version, a legal notice and the system-information viewer. */
class AboutWindow final : public QWidget
{
    Q_OBJECT

public:
    AboutWindow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTimer* m_timer;
    bool m_shown = false;
};

} // namespace maintenance
