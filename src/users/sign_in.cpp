#include "users/sign_in.h"

#include "users/password_encoding.h"
#include "users/roles.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace users {

namespace {

SignInOutcome refusal(const QString& message, SignInBox focus)
{
    return { SignInOutcome::Kind::Refused, message, focus, false };
}

} // namespace

SignIn::SignIn(platform::Database& database)
    : m_users(database, u"user"_s), m_superPassword(database, u"password"_s) { }

SignInOutcome SignIn::attempt(const QString& userName, const QString& password)
{
    if (userName.isEmpty())
        return refusal(u"请输入用户名!"_s, SignInBox::UserName);
    if (password.isEmpty())
        return refusal(u"请输入密码!"_s, SignInBox::Password);

    const Role role = RoleOf(userName);
    std::optional<QString> stored;
    if (role == Role::SuperUser) {
        // without a record there is no password that matches
        if (m_superPassword.moveFirst())
            stored = m_superPassword.value(u"super"_s);
    } else {
        m_users.findFirst({ u"username"_s, userName });
        if (m_users.noMatch())
            return refusal(u"无此用户,请检查输入是否正确!"_s, SignInBox::UserName);
        stored = m_users.value(u"userpassword"_s);
    }
    if (stored && *stored == EncodePassword(password, role))
        return { SignInOutcome::Kind::SignedIn, {}, SignInBox::UserName, false };

    if (m_failures >= forgivenFailures)
        return { SignInOutcome::Kind::EndProgram, u"密码错误!"_s, SignInBox::Password, false };
    ++m_failures;
    return { SignInOutcome::Kind::Refused, u"密码错误,请重新输入!"_s, SignInBox::Password, true };
}

QStringList SignIn::userNames()
{
    QStringList names;
    for (bool more = m_users.moveFirst(); more && m_users.hasCurrent(); more = m_users.moveNext())
        names << m_users.value(u"username"_s).value_or(QString());
    return names;
}

QStringList clerkDisabledEntries()
{
    return QStringList { u"超级用户1"_s, u"删除药品"_s,     u"删除单位"_s,     u"添加新用户"_s, u"按年统计"_s,
                         u"按月统计"_s,  u"查看交易记录"_s, u"查看单位档案"_s, u"dwtj"_s,       u"Image7"_s,
                         u"修改单位"_s,  u"修改标题"_s,     u"交易利润1"_s,    u"删除制单员"_s, u"导入数据"_s }
    // entries added since, for the super user and the administrator only
    + QStringList { u"操作日志"_s, u"options"_s, u"salesChart"_s };
}

} // namespace users
