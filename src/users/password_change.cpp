#include "users/password_change.h"

#include "store/bound_recordset.h"
#include "users/account_lookup.h"
#include "users/current_user.h"
#include "users/log_wording.h"
#include "users/password_encoding.h"

using namespace Qt::Literals::StringLiterals;

namespace users {

namespace {

AccountReply ask(const QString& message, AccountBox focus)
{
    return { .message = message, .focus = focus };
}

} // namespace

PasswordChange::PasswordChange(PasswordForm form, store::BoundRecordset& records) : m_form(form), m_records(records) { }

QString PasswordChange::table(PasswordForm form)
{
    return form == PasswordForm::SuperUser ? u"password"_s : u"user"_s;
}

QString PasswordChange::open()
{
    m_records.moveFirst();
    m_failures = 1;
    switch (m_form) {
    case PasswordForm::SuperUser:
        return u"超级用户进入密码修改系统。"_s;
    case PasswordForm::Account:
        // The super user has no wording of its own here and is named like a clerk.
        if (RoleOf(CurrentUser()) == Role::Administrator)
            return u"系统管理员进入管理密码修改系统。"_s;
        return u"制单员"_s + CurrentUser() + u"进入密码修改系统。"_s;
    case PasswordForm::Clerk:
        break;
    }
    return roleWording(u"进入制单员密码修改系统。"_s);
}

QString PasswordChange::cancelEntry() const
{
    switch (m_form) {
    case PasswordForm::SuperUser:
        return u"超级用户退出密码修改系统。"_s;
    case PasswordForm::Account:
        if (RoleOf(CurrentUser()) == Role::Administrator)
            return u"系统管理员退出管理密码修改系统。"_s;
        return u"制单员"_s + CurrentUser() + u"退出密码修改系统。"_s;
    case PasswordForm::Clerk:
        break;
    }
    return roleWording(u"退出制单员密码修改系统。"_s);
}

AccountReply PasswordChange::confirm(const PasswordEntry& entry)
{
    if (m_form != PasswordForm::SuperUser && entry.userName.isEmpty())
        return ask(u"请输入用户名!"_s, AccountBox::UserName);
    if (entry.oldPassword.isEmpty())
        return ask(m_form == PasswordForm::Clerk ? u"请输入管理密码!"_s : u"请输入旧密码!"_s, AccountBox::OldPassword);
    if (entry.newPassword.isEmpty())
        return ask(u"请输入新密码!"_s, AccountBox::NewPassword);
    if (entry.confirmation != entry.newPassword)
        return ask(u"两次输入的新密码不符,请确认新密码!"_s, AccountBox::NewPassword);
    switch (m_form) {
    case PasswordForm::SuperUser:
        return changeSuperUser(entry);
    case PasswordForm::Account:
        return changeAccount(entry);
    case PasswordForm::Clerk:
        break;
    }
    return changeClerk(entry);
}

AccountReply PasswordChange::changeSuperUser(const PasswordEntry& entry)
{
    const QString field = u"super"_s;
    if (!m_records.moveFirst())
        return databaseErrorReply();
    if (EncodePassword(entry.oldPassword, Role::SuperUser) != m_records.value(field).value_or(QString()))
        return wrongPassword(u"超级用户修改密码,失败,原因:旧密码错！退出系统。"_s);
    return storePassword(field, EncodePassword(entry.newPassword, Role::SuperUser), u"超级用户修改密码,成功。"_s);
}

AccountReply PasswordChange::changeAccount(const PasswordEntry& entry)
{
    const bool administrator = RoleOf(entry.userName) == Role::Administrator;
    const bool found = administrator ? findAdministrator(m_records) : findClerk(m_records, entry.userName);
    if (!found)
        return ask(u"无此用户,请检查用户名!"_s, AccountBox::OldPassword);
    const Role role = administrator ? Role::Administrator : Role::Clerk;
    const QString field = u"userpassword"_s;
    if (EncodePassword(entry.oldPassword, role) != m_records.value(field).value_or(QString())) {
        return wrongPassword(administrator
                                 ? u"系统管理员修改管理密码失败,原因:旧密码错！退出系统。"_s
                                 : u"制单员"_s + entry.userName + u"修改密码失败,原因:旧密码错！退出系统。"_s);
    }
    return storePassword(field, EncodePassword(entry.newPassword, role),
                         administrator ? u"系统管理员修改管理密码成功。"_s
                                       : u"制单员"_s + entry.userName + u"修改密码成功。"_s);
}

AccountReply PasswordChange::changeClerk(const PasswordEntry& entry)
{
    const QString field = u"userpassword"_s;
    if (!findAdministrator(m_records))
        return ask(u"无系统管理员用户,无法核对管理密码!"_s, AccountBox::None);
    if (EncodePassword(entry.oldPassword, Role::Administrator) != m_records.value(field).value_or(QString()))
        return wrongPassword(roleWording(u"修改制单员"_s + u"的密码,失败,原因:管理密码错！退出系统。"_s));
    // Stored with the clerk encoding, the administrator's password would no longer work at sign-in.
    if (RoleOf(entry.userName) == Role::Administrator)
        return ask(u"系统管理员的密码不能在此修改!"_s, AccountBox::UserName);
    if (!findClerk(m_records, entry.userName))
        return ask(u"无此用户,请确认用户名!"_s, AccountBox::UserName);
    return storePassword(field, EncodePassword(entry.newPassword, Role::Clerk),
                         roleWording(u"修改制单员"_s + entry.userName + u"的密码,成功。"_s));
}

AccountReply PasswordChange::wrongPassword(const QString& failureEntry)
{
    const bool management = m_form == PasswordForm::Clerk;
    if (m_failures >= allowedFailures) {
        return { .message = management ? u"管理密码错误!"_s : u"旧密码错误!"_s,
                 .logEntry = failureEntry,
                 .then = AccountReply::Then::EndRun };
    }
    ++m_failures;
    return { .message = management ? u"管理密码错误,请重新输入!"_s : u"旧密码错误,请重新输入!"_s,
             .focus = AccountBox::OldPassword,
             .cleared = AccountBox::OldPassword };
}

AccountReply PasswordChange::storePassword(const QString& field, const QString& encoded, const QString& logEntry)
{
    if (!m_records.edit() || !m_records.setValue(field, encoded) || !m_records.update()) {
        m_records.cancelUpdate();
        return databaseErrorReply();
    }
    return { .message = u"密码修改成功！"_s, .logEntry = logEntry, .then = AccountReply::Then::Close };
}

} // namespace users
