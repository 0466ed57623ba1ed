#include "platform/paged_table_model.h"

#include "platform/table_rows.h"

namespace platform {

PagedTableModel::PagedTableModel(const QStringList& headings, QObject* parent)
    : QAbstractTableModel(parent), m_headings(headings)
{ }

PagedTableModel::~PagedTableModel() = default;

void PagedTableModel::setReader(Reader reader)
{
    m_makeReader = std::move(reader);
    restart();
}

std::unique_ptr<TableRows> PagedTableModel::reader() const
{
    return m_makeReader ? m_makeReader(m_sortColumn, m_sortOrder) : nullptr;
}

void PagedTableModel::restart()
{
    beginResetModel();
    m_rows.clear();
    m_starts.clear();
    m_reader = reader();
    m_atEnd = !m_reader;
    endResetModel();
    fetchMore();
}

int PagedTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PagedTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QString PagedTableModel::text(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headings.size())
        return {};
    const QString& texts = m_rows.at(row);
    const qsizetype at = qsizetype(row) * m_headings.size() + column;
    const qsizetype start = m_starts.at(at);
    const qsizetype end = column + 1 < m_headings.size() ? qsizetype(m_starts.at(at + 1)) : texts.size();
    return texts.mid(start, end - start);
}

QVariant PagedTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && m_rightAligned.contains(index.column()))
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant PagedTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_headings.value(section);
    return section + 1;
}

bool PagedTableModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void PagedTableModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || m_atEnd)
        return;
    const auto page = m_reader->next(rowsPerPage);
    if (!page) {
        m_atEnd = true;
        emit readFailed();
        return;
    }
    m_atEnd = page->size() < rowsPerPage;
    if (page->isEmpty())
        return;
    const qsizetype first = m_rows.size();
    beginInsertRows({}, int(first), int(first + page->size() - 1));
    m_rows.reserve(first + page->size());
    for (const QStringList& row : *page) {
        QString texts;
        for (qsizetype c = 0; c < m_headings.size(); ++c) {
            m_starts << quint32(texts.size());
            texts += row.value(c);
        }
        texts.squeeze();
        m_rows << texts;
    }
    endInsertRows();
}

void PagedTableModel::sort(int column, Qt::SortOrder order)
{
    if (column == m_sortColumn && order == m_sortOrder && !m_rows.isEmpty())
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    restart();
}

} // namespace platform
