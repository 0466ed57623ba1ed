#pragma once

#include <QWidget>

class QAbstractButton;
class QBoxLayout;
class QTimer;

namespace maintenance {

/** The log texts of a window's opening and leaving, without the role's wording in front. */
struct WindowLogTexts
{
    QString opening;
    QString leaving;
};

/**
 * What the borderless maintenance windows share: a raised frame with a boxed heading, centred on the screen when it
 * is first shown; the opening log entry written by a run-once `Timer1` after that; the leaving entry and the close
 * of the return button. The window is deleted when it closes.
 */
class FramedWindow : public QWidget
{
    Q_OBJECT

protected:
    FramedWindow(const QString& name, const QString& headingName, const QString& heading, WindowLogTexts log);

    /** The column below the heading that the window fills. */
    QBoxLayout* content() const { return m_content; }
    /** A centred row of the confirming and the return button; Esc presses the return button. */
    void addButtons(QAbstractButton* confirming, QAbstractButton* leaving);

    /** Writes the leaving entry and closes the window. */
    void leave();

    void showEvent(QShowEvent* event) override;

private:
    QBoxLayout* m_content;
    QTimer* m_openingTimer;
    WindowLogTexts m_log;
    bool m_shown = false;
};

} // namespace maintenance
