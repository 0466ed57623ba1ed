#pragma once

#include "records/record_window.h"

#include <QHash>
#include <QList>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace records {

/** Whether a box takes the Chinese input method (names, addresses) or keeps it off (codes, numbers). */
enum class InputMethod { Unchanged, On, Off };

struct InputBox
{
    QString name;
    QString label;
    int longest = 0; ///< the most characters the box takes; 0 for no limit
    InputMethod inputMethod = InputMethod::Unchanged;
    /**
     * A box beside the order of the others, so that a box added later changes no one's way through the window: Enter
     * and Tab pass it by, Enter in it goes on to the box after it, and Tab reaches it after the buttons (Shift+Tab
     * from the first box).
     */
    bool aside = false;
};

/** The controls of an add or modify window. */
struct FormControls
{
    QString name;
    QString heading;
    QList<InputBox> boxes; ///< in the order Enter moves through them
    QString confirmCaption;
    QString cancelCaption;
};

/** The boxes of a unit's add and modify windows; they differ only in the name of the credit-rating box. */
QList<InputBox> unitBoxes(const QString& creditBoxName);

/**
 * The add and modify windows of the catalogue and the unit register: labelled boxes that Enter steps through, the last
 * one on to the confirm button `Command1`, and the cancel button `Command2`, which Esc presses.
 */
class RecordForm : public RecordWindow
{
    Q_OBJECT

public:
    explicit RecordForm(const FormControls& controls);

protected:
    QLineEdit* box(const QString& name) const { return m_boxes.value(name); }
    QString text(const QString& name) const;
    /**
     * Puts a stored text into a box whole, even when it is longer than the box's longest input. Typing never makes
     * the text longer than the longest input or, when it is already longer, than it is.
     */
    void setText(const QString& name, const QString& text);
    /** Adds a control across the window below the buttons. */
    void addBelowButtons(QWidget* widget);

    /** The confirm button was pressed. */
    virtual void confirm() = 0;

private:
    QHash<QString, QLineEdit*> m_boxes;
    QHash<QString, int> m_longest;
    QPushButton* m_confirm;
    QPushButton* m_cancel;
    QGridLayout* m_grid;
};

} // namespace records
