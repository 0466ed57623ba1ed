#include "users/password_window.h"

#include "platform/input_boxes.h"
#include "store/bound_recordset.h"
#include "users/activity_log.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace users {

namespace {

struct BoundLabel
{
    QString name;
    QString field;
};

/** How the three forms differ on screen. */
struct Look
{
    QString name;
    QString title;
    bool hasUserName;
    QString oldPasswordCaption;
    QList<BoundLabel> boundLabels;
};

Look lookOf(PasswordForm form)
{
    switch (form) {
    case PasswordForm::SuperUser:
        return { u"super"_s, u"超级用户密码修改"_s, false, u"输入旧密码:"_s, { { u"Label5"_s, u"super"_s } } };
    case PasswordForm::Account:
        return { u"user"_s,
                 u"用户密码修改"_s,
                 true,
                 u"输入旧密码:"_s,
                 { { u"Label5"_s, u"username"_s }, { u"Label6"_s, u"userpassword"_s } } };
    case PasswordForm::Clerk:
        break;
    }
    // Label5 names a field table `user` does not have and so stays empty.
    return { u"password"_s,
             u"密码修改"_s,
             true,
             u"输入管理密码:"_s,
             { { u"Label6"_s, u"userpassword"_s }, { u"Label5"_s, u"passwordname"_s } } };
}

QLineEdit* passwordBox(const QString& name)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    platform::makePasswordBox(box);
    return box;
}

} // namespace

PasswordWindow::PasswordWindow(platform::Database& database, PasswordForm form)
    : AccountWindow(lookOf(form).name, lookOf(form).title, Opening::Timer)
    , m_records(new store::BoundRecordset(database, PasswordChange::table(form), this))
    , m_change(form, *m_records)
    , m_oldPassword(passwordBox(u"text1"_s))
    , m_newPassword(passwordBox(u"Text2"_s))
    , m_confirmation(passwordBox(u"Text3"_s))
{
    const Look look = lookOf(form);
    m_records->setObjectName(u"Data1"_s);
    for (const auto& [name, field] : look.boundLabels)
        addBoundLabel(name, m_records, field);

    if (look.hasUserName) {
        m_userName = new QLineEdit;
        m_userName->setObjectName(u"Text4"_s);
        addRow(u"用  户  名:"_s, m_userName);
    }
    addRow(look.oldPasswordCaption, m_oldPassword);
    addRow(u"输入新密码:"_s, m_newPassword);
    addRow(u"确认新密码:"_s, m_confirmation);

    auto* confirmButton = new QPushButton(u"确  认"_s);
    confirmButton->setObjectName(u"Command2"_s);
    auto* cancelButton = new QPushButton(u"取  消"_s);
    cancelButton->setObjectName(u"Command1"_s);
    addButtons(confirmButton, cancelButton);
    connect(confirmButton, &QPushButton::clicked, this, &PasswordWindow::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &PasswordWindow::cancel);
}

QWidget* PasswordWindow::box(AccountBox which) const
{
    switch (which) {
    case AccountBox::None:
        break;
    case AccountBox::UserName:
        return m_userName;
    case AccountBox::OldPassword:
        return m_oldPassword;
    case AccountBox::NewPassword:
        return m_newPassword;
    case AccountBox::Confirmation:
        return m_confirmation;
    }
    return nullptr;
}

void PasswordWindow::opening()
{
    AddLogEntry(m_change.open());
}

void PasswordWindow::confirm()
{
    apply(m_change.confirm({ m_userName ? m_userName->text() : QString(), m_oldPassword->text(), m_newPassword->text(),
                             m_confirmation->text() }));
}

void PasswordWindow::cancel()
{
    AddLogEntry(m_change.cancelEntry());
    close();
}

} // namespace users
