#include "statistics/sale_grid_window.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/paged_table_model.h"
#include "platform/table_rows.h"
#include "statistics/money_text.h"
#include "statistics/registers.h"
#include "statistics/sales_sums.h"
#include "users/log_wording.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

const QString allUnits = u"全部单位"_s;

} // namespace

SaleGridWindow::SaleGridWindow(platform::Database& database)
    : TableWindow(u"saleGrid"_s, u"交易明细"_s, saleGridHeadings())
    , m_database(database)
    , m_units(new QComboBox(this))
    , m_dateLimit(new QCheckBox(u"日期从"_s, this))
    , m_from(dateBox(u"fromDate"_s, this))
    , m_to(dateBox(u"toDate"_s, this))
    , m_medicine(new QLineEdit(this))
{
    m_units->setObjectName(u"unitBox"_s);
    m_units->setMinimumContentsLength(12);
    m_dateLimit->setObjectName(u"dateLimit"_s);
    m_medicine->setObjectName(u"medicineBox"_s);
    m_medicine->setPlaceholderText(u"名称中的文字"_s);

    const QDate today = platform::clock().today();
    m_from->setDate(QDate(today.year(), today.month(), 1));
    m_to->setDate(today);
    m_dateLimit->setChecked(true);
    connect(m_dateLimit, &QCheckBox::toggled, this, [this](bool on) {
        m_from->setEnabled(on);
        m_to->setEnabled(on);
    });

    int at = 0;
    const auto add = [this, &at](QWidget* widget) {
        filterRow()->insertWidget(at++, widget);
    };
    add(new QLabel(u"单位:"_s, this));
    add(m_units);
    add(m_dateLimit);
    add(m_from);
    add(new QLabel(u"到"_s, this));
    add(m_to);
    add(new QLabel(u"药品名称含:"_s, this));
    add(m_medicine);

    model()->setRightAligned(
        { int(SaleGridColumn::Quantity), int(SaleGridColumn::Price), int(SaleGridColumn::Amount) });
    connect(queryButton(), &QPushButton::clicked, this, &SaleGridWindow::query);
    connect(m_medicine, &QLineEdit::returnPressed, this, &SaleGridWindow::query);
    connect(m_units, &QComboBox::activated, this, &SaleGridWindow::query);
    connect(model(), &platform::PagedTableModel::readFailed, this,
            [] { platform::inform(u"数据库错误，请检查数据库！"_s); });
}

void SaleGridWindow::opened()
{
    m_units->addItem(allUnits);
    m_units->addItems(unitNames(m_database).value_or(QStringList()));
    users::logAction(u"进入交易明细系统。"_s);
    query();
    m_units->setFocus();
}

void SaleGridWindow::leaving()
{
    users::logAction(u"退出交易明细系统。"_s);
}

void SaleGridWindow::query()
{
    SaleGridFilter filter;
    filter.unit = m_units->currentIndex() > 0 ? m_units->currentText() : QString();
    if (m_dateLimit->isChecked()) {
        if (m_from->date() > m_to->date()) {
            platform::inform(u"开始日期不能晚于结束日期!"_s);
            m_from->setFocus();
            return;
        }
        filter.from = m_from->date();
        filter.to = m_to->date();
    }
    filter.medicinePart = m_medicine->text();

    m_shownFilter = filter;
    m_grid = std::make_shared<SaleGrid>(m_database, filter);
    const auto summary = m_grid->summary();
    QString line = summary ? u"共 %1 行，合计金额 %2"_s.arg(summary->count).arg(moneyTextOrZero(summary->total))
                           : u"无法读取交易数据"_s;
    if (!filter.unit.isEmpty() && m_grid->units().isEmpty())
        line = u"与此单位没有任何交易！"_s;
    else if (const QString skipped = skippedUnitsMessage(m_grid->skipped()); !skipped.isEmpty())
        line += u"  ("_s + skipped + u")"_s;
    figures()->setText(line);

    const qint64 count = summary ? summary->count : -1;
    model()->setReader([grid = m_grid, count](int column, Qt::SortOrder order) {
        return grid->rows(column, order == Qt::DescendingOrder, count);
    });
    table()->resizeColumnsToContents();
}

QString SaleGridWindow::filterText() const
{
    QStringList parts { u"单位: "_s + (m_shownFilter.unit.isEmpty() ? allUnits : m_shownFilter.unit) };
    if (m_shownFilter.from && m_shownFilter.to)
        parts << u"日期: %1 到 %2"_s.arg(m_shownFilter.from->toString(u"yyyy-MM-dd"_s),
                                         m_shownFilter.to->toString(u"yyyy-MM-dd"_s));
    if (!m_shownFilter.medicinePart.isEmpty())
        parts << u"药品名称含: "_s + m_shownFilter.medicinePart;
    return parts.join(u"    "_s);
}

QString SaleGridWindow::exportName() const
{
    return u"交易明细"_s;
}

platform::TableHeading SaleGridWindow::printHeading() const
{
    return { u"交易明细"_s, filterText(), { figures()->text() } };
}

} // namespace statistics
