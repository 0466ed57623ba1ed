#include "users/add_clerk_window.h"

#include "platform/input_boxes.h"
#include "store/bound_recordset.h"
#include "users/activity_log.h"
#include "users/clerk_changes.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace users {

AddClerkWindow::AddClerkWindow(platform::Database& database)
    : AccountWindow(u"Form5"_s, u"添加新用户"_s, Opening::AtShow)
    , m_database(database)
    , m_accounts(new store::BoundRecordset(database, u"user"_s, this))
    , m_name(new QLineEdit)
    , m_password(new QLineEdit)
    , m_confirmation(new QLineEdit)
{
    m_accounts->setObjectName(u"Data1"_s);
    addBoundLabel(u"Label5"_s, m_accounts, u"username"_s);
    addBoundLabel(u"Label6"_s, m_accounts, u"userpassword"_s);

    m_name->setObjectName(u"text1"_s);
    m_password->setObjectName(u"Text2"_s);
    m_confirmation->setObjectName(u"Text3"_s);
    platform::makePasswordBox(m_password);
    platform::makePasswordBox(m_confirmation);
    addRow(u"用 户 名:"_s, m_name);
    addRow(u"初始密码:"_s, m_password);
    addRow(u"确认密码:"_s, m_confirmation);

    auto* confirmButton = new QPushButton(u"确  定"_s);
    confirmButton->setObjectName(u"Command2"_s);
    auto* cancelButton = new QPushButton(u"取  消"_s);
    cancelButton->setObjectName(u"Command1"_s);
    addButtons(confirmButton, cancelButton);
    connect(confirmButton, &QPushButton::clicked, this, &AddClerkWindow::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &AddClerkWindow::cancel);

    platform::moveFocusOnEnter(m_name, m_password);
    platform::moveFocusOnEnter(m_password, m_confirmation);
    platform::moveFocusOnEnter(m_confirmation, confirmButton);
}

QWidget* AddClerkWindow::box(AccountBox which) const
{
    switch (which) {
    case AccountBox::None:
    case AccountBox::OldPassword:
        break;
    case AccountBox::UserName:
        return m_name;
    case AccountBox::NewPassword:
        return m_password;
    case AccountBox::Confirmation:
        return m_confirmation;
    }
    return nullptr;
}

void AddClerkWindow::opening()
{
    AddLogEntry(addClerkOpeningEntry());
}

void AddClerkWindow::confirm()
{
    apply(addClerk(m_database, *m_accounts, { m_name->text(), m_password->text(), m_confirmation->text() }));
}

void AddClerkWindow::cancel()
{
    AddLogEntry(addClerkCancelEntry());
    close();
}

} // namespace users
