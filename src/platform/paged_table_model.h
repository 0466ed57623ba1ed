#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QSet>
#include <QStringList>
#include <functional>
#include <memory>

namespace platform {

class TableRows;

/**
 * A table model that reads its rows as the view scrolls to them: a page when it is reset and another each time the
 * view reaches the end of what has been read (canFetchMore / fetchMore), never the whole table up front. Sorting asks
 * the window's reader for the rows in the new order, so the database sorts them. The texts of a row are kept in one
 * string, so a million rows read stay within a few hundred megabytes.
 */
class PagedTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    /** Makes a reader of the rows sorted by a column (-1: the order in which they were stored). */
    using Reader = std::function<std::unique_ptr<TableRows>(int column, Qt::SortOrder order)>;

    static constexpr int rowsPerPage = 1000;

    PagedTableModel(const QStringList& headings, QObject* parent = nullptr);
    ~PagedTableModel() override;

    /** Columns whose texts are aligned right (numbers). */
    void setRightAligned(const QSet<int>& columns) { m_rightAligned = columns; }
    /** Reads anew through the reader, in the current order, starting with one page. */
    void setReader(Reader reader);
    /** The rows as they are now ordered, for an export or a print of what the view shows. */
    std::unique_ptr<TableRows> reader() const;
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;
    void sort(int column, Qt::SortOrder order) override;

    /** The text of a cell read so far. */
    QString text(int row, int column) const;

signals:
    /** The rows could not be read; what was read stays. */
    void readFailed();

private:
    void restart();

    QStringList m_headings;
    QSet<int> m_rightAligned;
    Reader m_makeReader;
    std::unique_ptr<TableRows> m_reader;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_atEnd = true;
    QList<QString> m_rows; // a row's texts one after another
    QList<quint32> m_starts; // where each text of each row starts: columnCount() entries a row
};

} // namespace platform
