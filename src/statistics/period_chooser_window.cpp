#include "statistics/period_chooser_window.h"

#include "platform/clock.h"
#include "statistics/manager_log.h"
#include "statistics/period_total_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

PeriodView PeriodView::monthly()
{
    return { PeriodKind::Month,         u"Form1"_s,
             u"(按月统计)"_s,           u"进入月销售统计系统页面。"_s,
             u"进入月销售统计页面。"_s, u"退出月销售统计系统页面。"_s,
             u"退出月销售统计页面。"_s };
}

PeriodView PeriodView::yearly()
{
    return { PeriodKind::Year,          u"form6"_s,
             u"(按年统计)"_s,           u"进入年销售统计系统页面。"_s,
             u"进入年销售统计页面。"_s, u"退出年销售统计系统页面。"_s,
             u"退出年销售统计页面。"_s };
}

PeriodChooserWindow::PeriodChooserWindow(platform::Database& database, const PeriodView& view, Opener open)
    : StatisticsWindow(view.name, u"药品销售统计"_s, 4800, 3000)
    , m_database(database)
    , m_view(view)
    , m_open(std::move(open))
{
    addHeading(u"药品销售统计"_s, 600, 180, 3600, 480);
    addLabel({}, m_view.subheading, 600, 660, 3600, 300)->setAlignment(Qt::AlignCenter);
    // The yearly chooser has always asked for a month as well.
    addLabel({}, u"请选择月份:"_s, 360, 1230, 1200, 300);
    m_years = addChoiceBox(u"Combo1"_s, 1560, 1200, 1440, 330);
    m_years->setEditText(initialYearBoxText());
    if (m_view.kind == PeriodKind::Month) {
        m_months = addChoiceBox(u"Combo2"_s, 3120, 1200, 1200, 330);
        m_months->addItems(monthItems());
        m_months->setCurrentIndex(-1);
        m_months->setEditText(initialMonthBoxText());
    }
    QPushButton* confirming = addButton(u"Command1"_s, u"确定"_s, 720, 2100, 1200, 420);
    addReturnButton(u"Command2"_s, u"返回"_s, 2880, 2100, 1200, 420);
    connect(confirming, &QPushButton::clicked, this, &PeriodChooserWindow::confirm);
}

SalePeriod PeriodChooserWindow::period() const
{
    return chosenPeriod(m_view.kind, m_years->currentText(), m_months ? m_months->currentText() : QString());
}

void PeriodChooserWindow::opened()
{
    const QString shown = m_years->currentText();
    m_years->addItems(yearItems(platform::clock().today().year()));
    m_years->setCurrentIndex(-1);
    m_years->setEditText(shown);
    logForManagers(m_view.enteredSuperUser, m_view.enteredAdministrator);
}

void PeriodChooserWindow::leaving()
{
    logForManagers(m_view.leftSuperUser, m_view.leftAdministrator);
}

void PeriodChooserWindow::confirm()
{
    const SalePeriod chosen = period();
    const QString text = choiceLogText(chosen);
    logForManagers(text, text);

    auto* result = new PeriodTotalWindow(m_database, chosen);
    result->setAttribute(Qt::WA_DeleteOnClose);
    result->move(frameGeometry().center() - result->rect().center());
    // Queued: the result window is closed and has given the main window back before the chooser takes it again.
    connect(
        result, &PeriodTotalWindow::returned, this, [this] { m_open(*this); }, Qt::QueuedConnection);
    connect(
        result, &PeriodTotalWindow::abandoned, this, [this] { finish(); }, Qt::QueuedConnection);
    // Hidden first, so that the main window it gives back is held again by the result window at once.
    hide();
    m_open(*result);
}

} // namespace statistics
