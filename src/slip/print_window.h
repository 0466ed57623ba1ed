#pragma once

#include <QPicture>
#include <QWidget>

class QTimer;

namespace slip {

struct SlipLayout;

/**
 * `dy` and `dy1`: the print window of a layout, named after it. Shown, it waits for its `Timer1`, then composes the
 * slip of the working set and prints every page in one run, showing each page as it goes out; input waits until
 * the run is over. It closes and is destroyed after the run, and tells the user when the run failed or went to a
 * file. It writes nothing: no table, no serial number, no working-set value, no log entry.
 */
class PrintWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit PrintWindow(const SlipLayout& layout, QWidget* parent = nullptr);

    /** The page on show: the stationery's captions alone until the run shows its pages. */
    const QPicture& shownPage() const { return m_page; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void run();

    const SlipLayout& m_layout;
    QTimer* m_timer;
    QPicture m_page;
    bool m_ran = false;
};

} // namespace slip
