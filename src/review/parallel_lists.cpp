#include "review/parallel_lists.h"

#include <QEvent>
#include <QListWidget>

namespace review {

namespace {

int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

} // namespace

ParallelLists::ParallelLists(const QList<QListWidget*>& lists, QObject* parent) : QObject(parent), m_lists(lists)
{
    Q_ASSERT(!m_lists.isEmpty());
    for (QListWidget* list : m_lists) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // the selection, not the current row: a list taking the focus makes a row current without choosing it
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list] { follow(selectedRow(list)); });
        if (list != leading())
            passFocusToLeading(list);
    }
}

void ParallelLists::clear()
{
    m_following = true;
    for (QListWidget* list : m_lists)
        list->clear();
    m_following = false;
}

void ParallelLists::appendRow(const QStringList& texts)
{
    for (qsizetype i = 0; i < m_lists.size(); ++i)
        m_lists.at(i)->addItem(texts.value(i));
}

int ParallelLists::rowCount() const
{
    return leading()->count();
}

int ParallelLists::currentRow() const
{
    return selectedRow(leading());
}

void ParallelLists::selectRow(int row)
{
    follow(row);
}

QStringList ParallelLists::rowTexts(int row) const
{
    QStringList texts;
    for (const QListWidget* list : m_lists) {
        const QListWidgetItem* item = list->item(row);
        texts << (item ? item->text() : QString());
    }
    return texts;
}

int ParallelLists::findLeading(const QString& text) const
{
    for (int row = 0; row < leading()->count(); ++row) {
        if (leading()->item(row)->text() == text)
            return row;
    }
    return -1;
}

void ParallelLists::setEnabled(bool enabled)
{
    for (QListWidget* list : m_lists)
        list->setEnabled(enabled);
}

void ParallelLists::passFocusToLeading(QWidget* control)
{
    m_passing << control;
    control->installEventFilter(this);
}

bool ParallelLists::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && m_passing.contains(watched) && leading()->isEnabled())
        leading()->setFocus(Qt::OtherFocusReason);
    return QObject::eventFilter(watched, event);
}

void ParallelLists::follow(int row)
{
    if (m_following)
        return;
    m_following = true;
    for (QListWidget* list : m_lists) {
        if (row < 0 || row >= list->count()) {
            list->clearSelection();
        } else {
            list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        }
    }
    m_following = false;
}

} // namespace review
