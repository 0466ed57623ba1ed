#pragma once

#include "store/medicine.h"
#include "transaction/medicine_finder.h"

#include <QFrame>
#include <QHash>

class QKeyEvent;
class QLineEdit;
class QTreeView;

namespace store {
class BoundRecordset;
}

namespace transaction {

class FoundMedicines;

/**
 * The find list of the entry windows: F2 in a row's name box opens it under the box, and it narrows with every key
 * typed into the box (MedicineFinder). Up and Down (and the page keys) move through it, Enter or a double click takes
 * the entry, Esc closes it and gives the box back the text it had when the list opened; the focus leaving the box
 * closes it too. The keyboard stays in the box throughout: the list is a window of its own that never takes the focus,
 * so it may reach below the entry window.
 */
class FindListWindow final : public QFrame
{
    Q_OBJECT

public:
    /** A closed list; the catalogue is read anew each time the list opens. */
    FindListWindow(store::BoundRecordset& catalogue, QWidget* owner);
    ~FindListWindow() override;

    /** Lets F2 in the name box of a row open the list. */
    void attach(QLineEdit* nameBox, int row);
    /** Opens the list under the row's name box, with the box's text as the text found. */
    void openFor(int row);
    bool isOpen() const { return m_box != nullptr; }
    /**
     * Whether the row's name box still holds the name of the medicine last taken into that row from the list,
     * unchanged since: the row then stands for that very medicine, which looking the name up again could not tell
     * from another of the same name.
     */
    bool holdsTaken(int row, const QString& name) const;

signals:
    /** An entry was taken for a row; the list is closed by then. */
    void taken(int row, const store::Medicine& medicine);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** Whether the key is the list's while the focus is in that box. */
    bool ownsKey(QObject* box, const QKeyEvent* key) const;
    bool keyPressed(QObject* box, QKeyEvent* key);
    void refill();
    void placeUnder(const QLineEdit* box);
    void step(int steps);
    void takeEntry(int entry);
    void closeList(bool restoreText);

    store::BoundRecordset& m_catalogue;
    MedicineFinder m_finder;
    FoundMedicines* m_found;
    QTreeView* m_view;
    QHash<QObject*, int> m_rows; ///< the attached name boxes and their rows
    QLineEdit* m_box = nullptr; ///< the box the open list belongs to
    int m_row = 0;
    QString m_textBefore;
    QHash<int, QString> m_taken; ///< row → the name of the medicine taken into it
};

} // namespace transaction
