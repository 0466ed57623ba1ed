#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace statistics {

/**
 * What the history, statistics and count windows share: a top-level window of a fixed size given in twips, opening
 * work run once by `Timer1` shortly after the window is first shown, and one way out that is not the user leaving.
 * Any other close (the return button, Esc, the title bar) is the user leaving, and leaving() runs once.
 */
class StatisticsWindow : public QWidget
{
    Q_OBJECT

protected:
    StatisticsWindow(const QString& name, const QString& title, int widthTwips, int heightTwips);

    /** The window's first work after it is shown: filling its lists, counting, its first log entry. */
    virtual void opened() { }
    /** The user leaves the window. */
    virtual void leaving() { }
    /** Closes the window after its work is done or cannot be done, without counting as the user leaving. */
    void finish();

    // Controls placed at twips positions; an empty name leaves the control unnamed.
    QLabel* addLabel(const QString& name, const QString& text, int left, int top, int width, int height);
    /** A heading: bold, larger and centred. */
    QLabel* addHeading(const QString& text, int left, int top, int width, int height);
    QPushButton* addButton(const QString& name, const QString& caption, int left, int top, int width, int height);
    /** The return button: it closes the window, and Esc presses it. */
    QPushButton* addReturnButton(const QString& name, const QString& caption, int left, int top, int width, int height);
    /**
     * A list box whose text only changes by picking an item: typed keys are ignored. activated() tells that the
     * user picked one.
     */
    QComboBox* addChoiceBox(const QString& name, int left, int top, int width, int height);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QTimer* m_opening;
    bool m_openingStarted = false;
    bool m_ended = false;
};

} // namespace statistics
