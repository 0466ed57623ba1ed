#pragma once

#include <QObject>

namespace transaction {

/**
 * Where the entry windows tell the rest of the program that a sale began or was finished, so that a window above
 * them (the main window's status line) can follow without the entry windows knowing it.
 */
class SaleNotices final : public QObject
{
    Q_OBJECT

signals:
    /** An entry window opened: the working set was cleared for a new sale. */
    void started();
    /** The working set's lines changed (a page stored, a sale read or cancelled). */
    void linesChanged();
    /** A sale was finished; the text says which and for how much (finishedSaleText()). */
    void finished(const QString& text);
};

SaleNotices& saleNotices();

} // namespace transaction
