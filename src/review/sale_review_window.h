#pragma once

#include <QWidget>
#include <array>
#include <memory>

class QLineEdit;
class QPushButton;

namespace review {

class ParallelLists;

/**
 * `查看本次交易`: the lines of the sale in progress in ten lists kept in step, a find by medicine name, and the
 * correction of one line at a time. It reads and writes the working set only, never the database.
 */
class SaleReviewWindow final : public QWidget
{
    Q_OBJECT

public:
    /** A loaded window writes its opening log entry; its lists are filled one tick after it is first shown. */
    explicit SaleReviewWindow(QWidget* parent = nullptr);
    ~SaleReviewWindow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildColumns();
    void buildButtons();
    QLineEdit* box(int column) const { return m_boxes[static_cast<size_t>(column - 1)]; }
    QStringList boxTexts() const;

    void fillLists();
    void find();
    void beginEdit();
    void recalculateAmount();
    void checkPurchasePrice();
    void confirm();
    void cancel();
    /** Edit mode shows the boxes, confirm and cancel and holds the lists still; browse mode the reverse. */
    void showMode(bool editing);

    /** Goes before the lists it keeps in step, so that none of their last signals reaches it. */
    std::unique_ptr<ParallelLists> m_lists;
    std::array<QLineEdit*, 10> m_boxes {};
    QPushButton* m_findButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_confirmButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_returnButton = nullptr;

    /** The working-set line being corrected; 0 in browse mode. */
    int m_editedLine = 0;
    /** The row that was selected when the correction began. */
    int m_rememberedRow = -1;
    /** Set while the window changes mode: the boxes' leave handlers do not run then. */
    bool m_switching = false;
    bool m_left = false;
};

} // namespace review
