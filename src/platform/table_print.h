#pragma once

#include <QPicture>
#include <QSizeF>
#include <QStringList>

namespace platform {

class PageSink;
class TableRows;

/** What a printed table says besides its rows. */
struct TableHeading
{
    QString title; ///< on every page, above the headings
    QString subtitle; ///< under the title on every page: what the rows are (the unit, the dates, a filter)
    QStringList closing; ///< after the last row: the count and the total
};

/** The paper a table is printed on: A4 across. */
QSizeF tablePageSizeMm();

/**
 * The pages of a table, composed as they are printed: the title and subtitle, the headings and as many rows as fit,
 * the page number at the foot. Column widths follow the headings and the first rows given; a text too wide for its
 * column is cut with "…", and a column whose first texts are all numbers is aligned right.
 */
class TablePages final
{
public:
    TablePages(const TableHeading& heading, const QStringList& headings, const QList<QStringList>& firstRows);

    int rowsPerPage() const { return m_rowsPerPage; }
    /** A page with these rows (at most rowsPerPage()) and, when given, the closing lines under them. */
    QPicture page(int number, const QList<QStringList>& rows, const QStringList& closing = {}) const;
    /** Whether the closing lines fit under this many rows on one page. */
    bool closingFits(qsizetype rows) const;

private:
    TableHeading m_heading;
    QStringList m_headings;
    QList<qreal> m_widths; // in twips
    QList<bool> m_right;
    int m_rowsPerPage = 1;
};

/** How a table's printing ended. */
struct TablePrintOutcome
{
    int pages = 0;
    bool cancelled = false;
    QString failure; ///< the sink's error, or why the rows could not be read; empty when none
    QString writtenFile; ///< where the pages went when a file took them
    QString notice;
};

/**
 * Prints every row as one job on the sink, reading the rows a part at a time and reporting the progress to
 * progressBar(), where the user can cancel; a cancelled or failed run is given up on the sink. No rows still print
 * one page with the headings.
 */
TablePrintOutcome printTableRows(TableRows& rows, const TableHeading& heading, PageSink& sink);

} // namespace platform
