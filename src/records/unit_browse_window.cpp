#include "records/unit_browse_window.h"

#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "records/display_boxes.h"
#include "records/unit_records.h"
#include "store/bound_recordset.h"
#include "users/log_wording.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace records {

UnitView UnitView::browsing()
{
    return { u"单位档案查询"_s, u"单位档案查询"_s, false, u"进入单位档案查询页面。"_s, u"退出单位档案查询页面。"_s };
}

UnitView UnitView::deletion()
{
    return { u"Form4"_s, u"删除单位"_s, true, u"进入删除单位档案页面。"_s, u"退出删除单位档案页面。"_s };
}

UnitBrowseWindow::UnitBrowseWindow(platform::Database& database, const UnitView& view)
    : RecordWindow(view.name, view.heading)
    , m_view(view)
    , m_database(database)
    , m_units(new store::BoundRecordset(database, unitTable(), this))
    , m_browser(*m_units)
{
    m_units->setObjectName(u"Data1"_s);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(24, 16, 24, 16);
    grid->setVerticalSpacing(8);
    grid->addWidget(heading(), 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, 8);
    addDisplayBoxes(this, grid, 2, m_units,
                    {
                        { u"Text1"_s, u"单位名称:"_s, u"单位名称"_s },
                        { u"Text2"_s, u"地    址:"_s, u"地址"_s },
                        { u"Text3"_s, u"责 任 人:"_s, u"责任人"_s },
                        { u"Text4"_s, u"电    话:"_s, u"电话"_s },
                        { u"Text5"_s, u"传    真:"_s, u"传真"_s },
                        { u"Text6"_s, u"邮    编:"_s, u"邮编"_s },
                        { u"Text7"_s, u"加入时间:"_s, u"加入时间"_s },
                        { u"Text8"_s, u"信 誉 度:"_s, u"信誉度"_s },
                    });
    const int buttonsRow = grid->rowCount() + 1;
    grid->setRowMinimumHeight(buttonsRow - 1, 8);

    m_previous = addButton(u"Command3"_s, u"上一个"_s);
    m_next = addButton(u"Command4"_s, u"下一个"_s);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    if (m_view.deleting) {
        QPushButton* remove = addButton(u"Command2"_s, u"删除"_s);
        connect(remove, &QPushButton::clicked, this, &UnitBrowseWindow::removeUnit);
        buttons->addWidget(remove);
    }
    QPushButton* back = addButton(u"Command1"_s, u"返回"_s);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(back);
    buttons->addStretch();
    grid->addLayout(buttons, buttonsRow, 0, 1, 2);
    platform::pressOnEscape(back);

    connect(m_previous, &QPushButton::clicked, this, [this] {
        const auto result = m_browser.previous();
        if (result == store::CountedBrowser::Step::AtFirst)
            platform::inform(u"已是第一第记录!"_s);
        showButtons();
    });
    connect(m_next, &QPushButton::clicked, this, [this] {
        const auto result = m_browser.next();
        if (result == store::CountedBrowser::Step::AtLast)
            platform::inform(u"已是最后一条记录"_s);
        showButtons();
    });
}

QPushButton* UnitBrowseWindow::addButton(const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(true);
    return button;
}

void UnitBrowseWindow::opened()
{
    if (!m_browser.start()) {
        platform::inform(u"已经没有交易单位!"_s);
        finish();
        return;
    }
    users::logAction(m_view.enteredLog);
}

void UnitBrowseWindow::leaving()
{
    users::logAction(m_view.leftLog);
}

void UnitBrowseWindow::showButtons()
{
    m_previous->setEnabled(m_browser.previousEnabled());
    m_next->setEnabled(m_browser.nextEnabled());
}

void UnitBrowseWindow::removeUnit()
{
    const QString name = shownUnit(*m_units).name;
    if (!platform::confirmYesNo(u"真的要删除"_s + name + u"吗？"_s, u"警告!"_s))
        return;
    if (deleteCurrentUnit(m_database, *m_units)) {
        platform::inform(u"删除单位成功!"_s);
        users::logAction(u"成功删除"_s + name + u"。"_s);
    } else {
        platform::inform(u"删除单位失败!"_s);
        users::logAction(u"删除"_s + name + u",失败。"_s);
    }
    finish();
}

} // namespace records
