#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QListWidget;
class QWidget;

namespace review {

/**
 * List boxes that show one table a column each and keep the same row selected in all of them. The first list leads:
 * a row chosen in any list, by click or key, is selected in every list, and focus arriving on another list goes on
 * to the leading one, so the keyboard always works the leading list. It must go before the lists do.
 */
class ParallelLists final : public QObject
{
public:
    /** Takes lists that already exist (not owned); the first one leads. */
    explicit ParallelLists(const QList<QListWidget*>& lists, QObject* parent = nullptr);

    QListWidget* leading() const { return m_lists.first(); }
    int columnCount() const { return int(m_lists.size()); }

    void clear();
    /** Appends a row: text i goes to list i; missing texts are empty. */
    void appendRow(const QStringList& texts);
    int rowCount() const;
    /** The selected row, -1 when none is. */
    int currentRow() const;
    /** Selects the row in every list; -1 selects none. */
    void selectRow(int row);
    /** The row's texts, list by list. */
    QStringList rowTexts(int row) const;
    /** The first row whose leading text equals the text exactly (case and width count); -1 when none does. */
    int findLeading(const QString& text) const;

    void setEnabled(bool enabled);
    /** Focus arriving on the control (a list of its own, or a display box beside the lists) goes to the leading list.
     */
    void passFocusToLeading(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(int row);

    QList<QListWidget*> m_lists;
    QList<QWidget*> m_passing;
    bool m_following = false;
};

} // namespace review
