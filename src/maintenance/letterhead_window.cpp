#include "maintenance/letterhead_window.h"

#include "maintenance/letterhead_title.h"
#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "store/bound_recordset.h"
#include "users/log_wording.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

LetterheadWindow::LetterheadWindow(platform::Database& database)
    : FramedWindow(u"修改抬头"_s, u"Label3"_s, u"修改标题"_s,
                   { u"进入修改本单位标题页面。"_s, u"退出修改本单位标题页面。"_s })
    , m_titles(new store::BoundRecordset(database, u"抬头"_s, this))
    , m_title(new QLineEdit)
    , m_change(new QPushButton(u"修 改"_s))
    , m_back(new QPushButton(u"返  回"_s))
{
    m_titles->setObjectName(u"Data1"_s);
    auto* caption = new QLabel(u"修改为:"_s);
    caption->setObjectName(u"Label1"_s);
    m_title->setObjectName(u"Text1"_s);
    m_title->setMinimumWidth(260);
    m_change->setObjectName(u"Command1"_s);
    m_back->setObjectName(u"Command2"_s);
    // Enter presses the button that has the focus
    m_change->setAutoDefault(true);
    m_back->setAutoDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_title);
    content()->addLayout(row);
    addButtons(m_change, m_back);
    platform::moveFocusOnEnter(m_title, m_change);

    connect(m_change, &QPushButton::clicked, this, &LetterheadWindow::change);
    connect(m_back, &QPushButton::clicked, this, [this] { leave(); });
    m_title->setFocus();
}

void LetterheadWindow::change()
{
    const QString title = m_title->text();
    if (!platform::confirmOkCancel(u"真的要将标题修改为:"_s + title + u"吗?"_s)) {
        m_back->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!storeLetterheadTitle(*m_titles, title)) {
        platform::inform(u"标题修改失败,请检查数据库!"_s);
        return;
    }
    platform::inform(u"标题修改成功!"_s);
    users::logAction(u"修改本单位标题为:"_s + title + u",成功。"_s);
    close();
}

} // namespace maintenance
