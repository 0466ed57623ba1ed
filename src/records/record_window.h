#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace records {

/**
 * What the catalogue and unit windows have in common: a top-level window with a heading, opening work run once
 * shortly after it is first shown, and one way out that is not the user leaving. Any other close (the cancel or
 * return button, Esc, the title bar) is the user leaving, and leaving() runs once.
 */
class RecordWindow : public QWidget
{
    Q_OBJECT

public:
    RecordWindow(const QString& name, const QString& heading);

protected:
    /** The heading label at the top of the window. */
    QLabel* heading() const { return m_heading; }

    /** The window's first work after it is shown: filling, counting, its first log entry. */
    virtual void opened() { }
    /** The user leaves the window: its log entry, a pending record dropped. */
    virtual void leaving() { }
    /** Closes the window after its work is done or cannot be done, without counting as the user leaving. */
    void finish();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_heading;
    QTimer* m_opening;
    bool m_openingStarted = false;
    bool m_ended = false;
};

} // namespace records
