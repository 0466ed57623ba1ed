#pragma once

#include "platform/table_print.h"

#include <QWidget>

class QDateEdit;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace platform {

class PagedTableModel;

/**
 * A window that shows rows in a sortable table read as it scrolls: a row of filters above, a line of figures under
 * it, and the buttons 导出 (CSV), 打印 and 返回 (Esc). Its opening work runs once by `Timer1` shortly after it is first
 * shown; leaving() runs once however it is closed. Export and print take the rows in the order shown.
 */
class TableWindow : public QWidget
{
    Q_OBJECT

protected:
    /** A date box of the filter row: calendar popup, shown as yyyy-MM-dd. */
    static QDateEdit* dateBox(const QString& name, QWidget* parent);

    TableWindow(const QString& name, const QString& title, const QStringList& headings);

    virtual void opened() { }
    virtual void leaving() { }
    /** The file name the export suggests, without the extension. */
    virtual QString exportName() const = 0;
    /** The title, the filters and the figures a print carries. */
    virtual TableHeading printHeading() const = 0;

    QHBoxLayout* filterRow() const { return m_filters; }
    QPushButton* queryButton() const { return m_query; }
    PagedTableModel* model() const { return m_model; }
    QTableView* table() const { return m_table; }
    QLabel* figures() const { return m_figures; }

    /** Room for the columns of a grid; the window can be made smaller or larger. */
    QSize sizeHint() const override { return { 960, 560 }; }
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void exportRows();
    void printRows();

    PagedTableModel* m_model;
    QTableView* m_table;
    QHBoxLayout* m_filters;
    QPushButton* m_query;
    QLabel* m_figures;
    QTimer* m_opening;
    bool m_openingStarted = false;
    bool m_ended = false;
};

} // namespace platform
