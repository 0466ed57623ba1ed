#pragma once

#include <QList>
#include <QString>

class QGridLayout;
class QLineEdit;
class QWidget;

namespace store {
class BoundRecordset;
}

namespace records {

struct DisplayBox
{
    QString name;
    QString label;
    QString field; ///< empty for a box the window fills itself
};

/**
 * Adds a disabled box with its label for each entry, one a row from the given row on; a box with a field shows that
 * field of the source's current record and follows it. After a removal the boxes keep showing the removed record.
 */
QList<QLineEdit*> addDisplayBoxes(QWidget* window, QGridLayout* grid, int firstRow, store::BoundRecordset* source,
                                  const QList<DisplayBox>& boxes);

} // namespace records
