#pragma once

#include "users/account_reply.h"

#include <QWidget>

class QAbstractButton;
class QGridLayout;
class QHBoxLayout;
class QTimer;

namespace store {
class BoundRecordset;
}

namespace users {

/**
 * What the password and clerk windows share: a borderless window with a boxed title, rows of captioned boxes and a
 * row of buttons, an opening step run once after the first show, and the carrying out of an AccountReply.
 */
class AccountWindow : public QWidget
{
    Q_OBJECT

signals:
    /** The window has closed itself because the run must end; whoever opened it closes the main window. */
    void runEnded();

protected:
    /** When the opening step runs: from a run-once `Timer1` after the first show, or during the first show. */
    enum class Opening { Timer, AtShow };

    AccountWindow(const QString& name, const QString& title, Opening openingStep);

    void addRow(const QString& caption, QWidget* box);
    /** The confirming button first; Esc presses the cancelling one. */
    void addButtons(QAbstractButton* confirming, QAbstractButton* cancelling);
    /** A hidden label showing a field of the source's current record, as a bound label does. */
    void addBoundLabel(const QString& name, store::BoundRecordset* source, const QString& field);

    void apply(const AccountReply& reply);

    /** The control that takes this box's input; nullptr for none. */
    virtual QWidget* box(AccountBox which) const = 0;
    virtual void opening() = 0;

    void showEvent(QShowEvent* event) override;

private:
    QGridLayout* m_rows;
    QHBoxLayout* m_buttons;
    QTimer* m_openingTimer = nullptr;
    bool m_shown = false;
};

} // namespace users
