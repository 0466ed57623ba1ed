#include "statistics/count_window.h"

#include "statistics/registers.h"
#include "users/log_wording.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

CountView CountView::medicines()
{
    return { u"yptj1"_s, u"药品总数统计"_s, u"目前总药品数为:"_s, u"药品"_s, u"查看药品总数。"_s };
}

CountView CountView::units()
{
    return { u"单位"_s, u"单位总数统计"_s, u"目前有业务往来的单位数为:"_s, u"单位"_s, u"查看交易单位总数。"_s };
}

CountWindow::CountWindow(platform::Database& database, const CountView& view)
    : StatisticsWindow(view.name, view.heading, 5400, 2700), m_database(database), m_view(view)
{
    addHeading(m_view.heading, 900, 180, 3600, 480);
    addLabel(u"Label1"_s, m_view.caption, 480, 1080, 3300, 300);
    m_count = addLabel(u"Label2"_s, {}, 3840, 1080, 1080, 300);
    addReturnButton(u"Command1"_s, u"返  回"_s, 2100, 1800, 1200, 420);
}

void CountWindow::opened()
{
    const QString shown = countText(recordCount(m_database, m_view.table));
    if (shown.isEmpty())
        return;
    m_count->setText(shown);
    users::logAction(m_view.shownLog);
}

} // namespace statistics
