#include "maintenance/options_window.h"

#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "store/options.h"
#include "users/log_wording.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

OptionsWindow::OptionsWindow(platform::Database& database)
    : FramedWindow(u"options"_s, u"Label3"_s, u"选项"_s, { u"进入选项页面。"_s, u"退出选项页面。"_s })
    , m_database(database)
    , m_months(new QLineEdit)
    , m_confirm(new QPushButton(u"确  定"_s))
    , m_back(new QPushButton(u"返  回"_s))
{
    auto* caption = new QLabel(u"有效期预警:"_s);
    caption->setObjectName(u"Label1"_s);
    auto* unit = new QLabel(u"个月"_s);
    unit->setObjectName(u"Label2"_s);
    m_months->setObjectName(u"Text1"_s);
    m_months->setMaxLength(3);
    m_months->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), m_months));
    m_months->setAlignment(Qt::AlignRight);
    m_months->setMaximumWidth(60);
    platform::disableInputMethod(m_months);
    caption->setBuddy(m_months);
    m_confirm->setObjectName(u"Command1"_s);
    m_back->setObjectName(u"Command2"_s);
    // Enter presses the button that has the focus
    m_confirm->setAutoDefault(true);
    m_back->setAutoDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_months);
    row->addWidget(unit);
    row->addStretch();
    content()->addLayout(row);
    auto* note = new QLabel(u"销售有效期不足此月数的药品时提醒；填 0 只提醒已过期的。"_s);
    note->setObjectName(u"Label4"_s);
    content()->addWidget(note);
    addButtons(m_confirm, m_back);
    platform::moveFocusOnEnter(m_months, m_confirm);

    // a setting that cannot be read shows the period the sale desk then warns with
    m_months->setText(
        QString::number(store::expiryWarningMonths(m_database).value_or(store::defaultExpiryWarningMonths)));
    connect(m_confirm, &QPushButton::clicked, this, &OptionsWindow::confirm);
    connect(m_back, &QPushButton::clicked, this, [this] { leave(); });
    m_months->setFocus();
    m_months->selectAll();
}

void OptionsWindow::confirm()
{
    bool isNumber = false;
    const int months = m_months->text().toInt(&isNumber);
    if (!isNumber || months < 0 || months > store::maxExpiryWarningMonths) {
        platform::inform(u"请输入0到%1之间的月数!"_s.arg(store::maxExpiryWarningMonths));
        m_months->setFocus(Qt::OtherFocusReason);
        m_months->selectAll();
        return;
    }
    if (!store::storeExpiryWarningMonths(m_database, months)) {
        platform::inform(u"选项修改失败,请检查数据库!"_s);
        return;
    }
    platform::inform(u"选项修改成功!"_s);
    users::logAction(u"修改有效期预警为%1个月,成功。"_s.arg(months));
    close();
}

} // namespace maintenance
