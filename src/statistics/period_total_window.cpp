#include "statistics/period_total_window.h"

#include "platform/dialogs.h"
#include "statistics/money_text.h"
#include "statistics/period_choice.h"
#include "statistics/registers.h"

#include <QComboBox>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

const QString overallCaption = u"我们的药品销售额为:"_s;
const QString unitCaption = u"与我们进行的交易额为:"_s;

// Geometry in twips.
constexpr int captionLeft = 360;
constexpr int captionWidth = 5520;
constexpr int figureLeft = 5940;
constexpr int figureWidth = 1320;
constexpr int yuanLeft = 7320;
constexpr int lineHeight = 300;

} // namespace

PeriodTotalWindow::PeriodTotalWindow(platform::Database& database, const SalePeriod& period)
    : StatisticsWindow(period.month.isEmpty() ? u"年销售总额统计"_s : u"月销售总额统计"_s, u"药品销售统计"_s, 7800,
                       4200)
    , m_database(database)
    , m_period(period)
{
    addHeading(u"药品销售统计"_s, 2100, 180, 3600, 480);
    addLabel({}, period.month.isEmpty() ? u"(按年统计)"_s : u"(按月统计)"_s, 2100, 660, 3600, lineHeight)
        ->setAlignment(Qt::AlignCenter);

    m_overallCaption = addLabel(u"Label7"_s, overallCaption, captionLeft, 1260, captionWidth, lineHeight);
    m_overall = addLabel(u"Label11"_s, u"0"_s, figureLeft, 1260, figureWidth, lineHeight);
    m_overall->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel({}, u"元"_s, yuanLeft, 1260, 300, lineHeight);

    addLabel({}, u"请选择单位:"_s, captionLeft, 1890, 1200, lineHeight);
    m_units = addChoiceBox(u"Combo1"_s, 1620, 1860, 3600, 330);

    m_unitCaption = addLabel(u"Label1"_s, unitCaption, captionLeft, 2520, captionWidth, lineHeight);
    m_unitTotal = addLabel(u"Label2"_s, u"0"_s, figureLeft, 2520, figureWidth, lineHeight);
    m_unitTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel({}, u"元"_s, yuanLeft, 2520, 300, lineHeight);

    addReturnButton(u"Command1"_s, u"返  回"_s, 3300, 3240, 1200, 420);
    connect(m_units, &QComboBox::activated, this, [this](int index) { chooseUnit(m_units->itemText(index)); });
}

void PeriodTotalWindow::opened()
{
    const QStringList units = unitNames(m_database).value_or(QStringList());
    m_units->addItems(units);
    m_units->setCurrentIndex(-1);
    const auto overall = overallSum(m_database, units, m_period);
    if (!overall) {
        platform::inform(u"目前没有交易单位！"_s);
        finish();
        emit abandoned();
        return;
    }
    const QString prefix = periodLabelPrefix(m_period);
    m_overallCaption->setText(prefix + overallCaption);
    m_unitCaption->setText(prefix + unitCaption);
    m_overall->setText(moneyTextOrZero(overall->total));
    // A total that leaves units out says which, so it is never taken for the whole.
    if (!overall->skipped.isEmpty())
        platform::inform(skippedUnitsMessage(overall->skipped));
}

void PeriodTotalWindow::leaving()
{
    emit returned();
}

void PeriodTotalWindow::chooseUnit(const QString& unit)
{
    // A unit whose table cannot be read has sold nothing as far as this window can tell.
    const double total = periodSum(m_database, unit, m_period).value_or(0.0);
    m_unitCaption->setText(periodLabelPrefix(m_period) + unit + unitCaption);
    m_unitTotal->setText(moneyTextOrZero(total));
}

} // namespace statistics
