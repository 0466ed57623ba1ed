#include "users/log_viewer_window.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/paged_table_model.h"
#include "platform/table_rows.h"
#include "users/log_wording.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;

namespace users {

namespace {

const QString allUsers = u"全部用户"_s;

} // namespace

LogViewerWindow::LogViewerWindow(platform::Database& database)
    : TableWindow(u"logViewer"_s, u"操作日志"_s, logHeadings())
    , m_database(database)
    , m_users(new QComboBox(this))
    , m_dateLimit(new QCheckBox(u"日期从"_s, this))
    , m_from(dateBox(u"fromDate"_s, this))
    , m_to(dateBox(u"toDate"_s, this))
    , m_text(new QLineEdit(this))
{
    m_users->setObjectName(u"userBox"_s);
    m_users->setMinimumContentsLength(10);
    m_dateLimit->setObjectName(u"dateLimit"_s);
    m_text->setObjectName(u"textBox"_s);
    m_text->setPlaceholderText(u"操作中的文字"_s);

    const QDate today = platform::clock().today();
    m_from->setDate(today.addMonths(-1));
    m_to->setDate(today);
    m_dateLimit->setChecked(false);
    m_from->setEnabled(false);
    m_to->setEnabled(false);
    connect(m_dateLimit, &QCheckBox::toggled, this, [this](bool on) {
        m_from->setEnabled(on);
        m_to->setEnabled(on);
    });

    int at = 0;
    const auto add = [this, &at](QWidget* widget) {
        filterRow()->insertWidget(at++, widget);
    };
    add(new QLabel(u"用户:"_s, this));
    add(m_users);
    add(m_dateLimit);
    add(m_from);
    add(new QLabel(u"到"_s, this));
    add(m_to);
    add(new QLabel(u"操作含:"_s, this));
    add(m_text);

    // The table reads newest first and offers no other order.
    table()->setSortingEnabled(false);
    table()->horizontalHeader()->setSortIndicatorShown(false);
    table()->horizontalHeader()->setStretchLastSection(true);
    connect(queryButton(), &QPushButton::clicked, this, &LogViewerWindow::query);
    connect(m_text, &QLineEdit::returnPressed, this, &LogViewerWindow::query);
    connect(model(), &platform::PagedTableModel::readFailed, this,
            [] { platform::inform(u"数据库错误，请检查数据库！"_s); });
}

void LogViewerWindow::opened()
{
    logAction(u"进入操作日志系统。"_s);
    m_users->addItem(allUsers);
    m_users->addItems(logUsers(m_database, pendingLog()));
    query();
    m_users->setFocus();
}

void LogViewerWindow::leaving()
{
    logAction(u"退出操作日志系统。"_s);
}

void LogViewerWindow::query()
{
    LogFilter filter;
    filter.user = m_users->currentIndex() > 0 ? m_users->currentText() : QString();
    if (m_dateLimit->isChecked()) {
        if (m_from->date() > m_to->date()) {
            platform::inform(u"开始日期不能晚于结束日期!"_s);
            m_from->setFocus();
            return;
        }
        filter.from = m_from->date();
        filter.to = m_to->date();
    }
    filter.textPart = m_text->text();

    m_shownFilter = filter;
    m_search = std::make_shared<LogSearch>(m_database, filter, pendingLog());
    const auto count = m_search->count();
    if (!count)
        figures()->setText(u"无法读取操作日志"_s);
    else if (m_search->pendingCount() > 0)
        figures()->setText(u"共 %1 条，其中 %2 条尚未保存到数据库"_s.arg(*count).arg(m_search->pendingCount()));
    else
        figures()->setText(u"共 %1 条"_s.arg(*count));
    model()->setReader(
        [search = m_search, total = count.value_or(-1)](int, Qt::SortOrder) { return search->rows(total); });
    table()->resizeColumnsToContents();
}

QString LogViewerWindow::exportName() const
{
    return u"操作日志"_s;
}

platform::TableHeading LogViewerWindow::printHeading() const
{
    QStringList parts { u"用户: "_s + (m_shownFilter.user.isEmpty() ? allUsers : m_shownFilter.user) };
    if (m_shownFilter.from && m_shownFilter.to)
        parts << u"日期: %1 到 %2"_s.arg(m_shownFilter.from->toString(u"yyyy-MM-dd"_s),
                                         m_shownFilter.to->toString(u"yyyy-MM-dd"_s));
    if (!m_shownFilter.textPart.isEmpty())
        parts << u"操作含: "_s + m_shownFilter.textPart;
    return { u"操作日志"_s, parts.join(u"    "_s), { figures()->text() } };
}

} // namespace users
