#include "review/profit_window.h"

#include "platform/input_boxes.h"
#include "platform/twips.h"
#include "review/profit.h"
#include "review/profit_detail_window.h"
#include "review/window_parts.h"
#include "transaction/working_set.h"
#include "users/log_wording.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace review {

ProfitWindow::ProfitWindow(std::function<void(QWidget&)> openDetail, QWidget* parent)
    : QWidget(parent, reviewWindowFlags()), m_openDetail(std::move(openDetail))
{
    setObjectName(u"交易利润"_s);
    setWindowTitle(u"5"_s);
    setFixedSize(platform::pixels(9810), platform::pixels(4830));

    headingLabel(this, u"Label3"_s, u"本次交易利润统计"_s, 3105, 240, 3600, 420)->setAlignment(Qt::AlignCenter);
    headingLabel(this, u"Label1"_s, u"本次交易总金额为:"_s, 1080, 1200, 3600, 420);
    m_total = headingLabel(this, u"Label2"_s, QString(), 1080, 1800, 3600, 420);
    headingLabel(this, u"Label4"_s, u"本次交易利润为:"_s, 5400, 1200, 3600, 420);
    m_profit = headingLabel(this, u"Label5"_s, QString(), 5400, 1800, 3600, 420);

    auto* detail = placedButton(this, u"Command2"_s, u"详细资料"_s, 2160, 3600, 1500, 495);
    auto* back = placedButton(this, u"Command1"_s, u"返  回"_s, 6150, 3600, 1500, 495);
    connect(detail, &QPushButton::clicked, this, &ProfitWindow::showDetail);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    platform::pressOnEscape(back);

    runOnceShown(this, [this] { summarize(); });
}

void ProfitWindow::summarize()
{
    const ProfitSummary summary = summarizeProfit(transaction::workingSet());
    m_total->setText(summary.total.shownText());
    m_profit->setText(summary.profit.shownText());
    users::logAction(u"查看交易利润。"_s);
}

void ProfitWindow::showDetail()
{
    auto* detail = new ProfitDetailWindow(
        { m_total->text(), totalCostText(m_total->text(), m_profit->text()), m_profit->text() });
    detail->setAttribute(Qt::WA_DeleteOnClose);
    users::logAction(u"查看交易利润的详细信息。"_s);
    close();
    if (m_openDetail)
        m_openDetail(*detail);
    else
        detail->show();
}

} // namespace review
