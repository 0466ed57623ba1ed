#include "statistics/unit_total_window.h"

#include "platform/dialogs.h"
#include "statistics/manager_log.h"
#include "statistics/registers.h"
#include "statistics/sales_sums.h"
#include "transaction/amounts.h"

#include <QComboBox>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

UnitTotalWindow::UnitTotalWindow(platform::Database& database)
    : StatisticsWindow(u"dwtj1"_s, u"药品销售统计"_s, 7800, 3600), m_database(database)
{
    addHeading(u"药品销售统计"_s, 2100, 180, 3600, 480);
    addLabel({}, u"请选择单位:"_s, 360, 1050, 1200, 300);
    m_units = addChoiceBox(u"Combo1"_s, 1620, 1020, 3600, 330);
    addLabel(u"Label1"_s, u"到目前为止,此单位与我们进行的交易总金额为:"_s, 360, 1800, 5520, 300);
    m_total = addLabel(u"Label2"_s, u"0"_s, 5940, 1800, 1320, 300);
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel({}, u"元"_s, 7320, 1800, 300, 300);
    addReturnButton(u"Command1"_s, u"返  回"_s, 3300, 2640, 1200, 420);
    connect(m_units, &QComboBox::activated, this, [this](int index) { chooseUnit(m_units->itemText(index)); });
}

void UnitTotalWindow::opened()
{
    const QStringList units = unitNames(m_database).value_or(QStringList());
    if (units.isEmpty()) {
        platform::inform(u"目前没有交易单位！"_s);
        finish();
        return;
    }
    m_units->addItems(units);
    m_units->setCurrentIndex(-1);
    logForManagers(u"进入药品销售统计系统。"_s, u"进入药品销售统计系统。"_s);
}

void UnitTotalWindow::leaving()
{
    logForManagers(u"退出药品销售统计系统。"_s, u"退出药品销售统计系统。"_s);
}

void UnitTotalWindow::chooseUnit(const QString& unit)
{
    // No zero rule here: a unit without sales, or without a table, shows .00.
    m_total->setText(transaction::formatPointAmount(allTimeSum(m_database, unit).value_or(0.0)));
}

} // namespace statistics
