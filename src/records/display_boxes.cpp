#include "records/display_boxes.h"

#include "store/bound_recordset.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace records {

QList<QLineEdit*> addDisplayBoxes(QWidget* window, QGridLayout* grid, int firstRow, store::BoundRecordset* source,
                                  const QList<DisplayBox>& boxes)
{
    QList<QLineEdit*> made;
    int row = firstRow;
    for (const DisplayBox& shown : boxes) {
        auto* label = new QLabel(shown.label, window);
        auto* box = new QLineEdit(window);
        box->setObjectName(shown.name);
        box->setEnabled(false);
        box->setMinimumWidth(260);
        // Display only, yet as legible as a box that takes input.
        QPalette colours = box->palette();
        colours.setColor(QPalette::Disabled, QPalette::Text, colours.color(QPalette::Active, QPalette::Text));
        box->setPalette(colours);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
        made << box;
        if (shown.field.isEmpty())
            continue;
        const auto show = [box, source, field = shown.field] {
            box->setText(source->value(field).value_or(QString()));
        };
        QObject::connect(source, &store::BoundRecordset::currentChanged, box, show);
        show();
    }
    return made;
}

} // namespace records
