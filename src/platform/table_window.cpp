#include "platform/table_window.h"

#include "platform/input_boxes.h"
#include "platform/paged_table_model.h"
#include "platform/table_output.h"
#include "platform/table_rows.h"
#include "platform/timing.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace platform {

TableWindow::TableWindow(const QString& name, const QString& title, const QStringList& headings)
    : QWidget(nullptr, Qt::Window)
    , m_model(new PagedTableModel(headings, this))
    , m_table(new QTableView(this))
    , m_filters(new QHBoxLayout)
    , m_query(new QPushButton(u"查询"_s, this))
    , m_figures(new QLabel(this))
    , m_opening(new QTimer(this))
{
    setObjectName(name);
    setWindowTitle(title);

    m_query->setObjectName(u"queryButton"_s);
    m_query->setAutoDefault(true);
    m_filters->addWidget(m_query);
    m_filters->addStretch();

    m_table->setObjectName(u"table"_s);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    // Rows of one height: the view then places a million rows without measuring them.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);

    m_figures->setObjectName(u"figures"_s);
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* exportButton = new QPushButton(u"导出"_s, this);
    exportButton->setObjectName(u"exportButton"_s);
    auto* printButton = new QPushButton(u"打印"_s, this);
    printButton->setObjectName(u"printButton"_s);
    auto* closeButton = new QPushButton(u"返回"_s, this);
    closeButton->setObjectName(u"closeButton"_s);
    for (QPushButton* button : { exportButton, printButton, closeButton })
        button->setAutoDefault(true);
    connect(exportButton, &QPushButton::clicked, this, &TableWindow::exportRows);
    connect(printButton, &QPushButton::clicked, this, &TableWindow::printRows);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    pressOnEscape(closeButton);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_figures, 1);
    buttons->addWidget(exportButton);
    buttons->addWidget(printButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_filters);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    m_opening->setObjectName(u"Timer1"_s);
    m_opening->setSingleShot(true);
    connect(m_opening, &QTimer::timeout, this, [this] {
        if (!m_ended)
            opened();
    });
}

void TableWindow::exportRows()
{
    if (const auto rows = m_model->reader())
        exportTable(*rows, exportName());
}

void TableWindow::printRows()
{
    if (const auto rows = m_model->reader())
        printTable(*rows, printHeading());
}

void TableWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_openingStarted) {
        m_openingStarted = true;
        m_opening->start(timing().opening);
    }
}

void TableWindow::closeEvent(QCloseEvent* event)
{
    if (!m_ended) {
        m_ended = true;
        leaving();
    }
    QWidget::closeEvent(event);
}

QDateEdit* TableWindow::dateBox(const QString& name, QWidget* parent)
{
    auto* box = new QDateEdit(parent);
    box->setObjectName(name);
    box->setCalendarPopup(true);
    box->setDisplayFormat(u"yyyy-MM-dd"_s);
    return box;
}

} // namespace platform
