#include "users/clerk_changes.h"

#include "platform/database.h"
#include "store/bound_recordset.h"
#include "store/schema.h"
#include "store/statements.h"
#include "store/table_names.h"
#include "users/account_lookup.h"
#include "users/log_wording.h"
#include "users/password_encoding.h"

using namespace Qt::Literals::StringLiterals;

namespace users {

namespace {

AccountReply ask(const QString& message, AccountBox focus)
{
    return { .message = message, .focus = focus };
}

enum class LogTable { Missing, LeftByDeletedClerk, TakenByOther };

LogTable logTableFor(platform::Database& database, const QString& name)
{
    if (!store::tableExists(database, name))
        return LogTable::Missing;
    // Log tables of the accounts that are not records of `user`: alike in form, but never a clerk's.
    if (name.compare(u"super"_s, Qt::CaseInsensitive) == 0 || name.compare(u"Orsvan"_s, Qt::CaseInsensitive) == 0)
        return LogTable::TakenByOther;
    const store::BoundRecordset existing(database, name);
    return existing.isOpen() && existing.fields() == store::logTableColumns() ? LogTable::LeftByDeletedClerk
                                                                              : LogTable::TakenByOther;
}

} // namespace

QString addClerkOpeningEntry()
{
    return roleWording(u"进入添加制单员页面。"_s);
}

QString addClerkCancelEntry()
{
    return roleWording(u"退出添加制单员页面。"_s);
}

AccountReply addClerk(platform::Database& database, store::BoundRecordset& accounts, const NewClerk& clerk)
{
    if (clerk.name.isEmpty())
        return ask(u"请输入用户名!"_s, AccountBox::UserName);
    if (clerk.password.isEmpty())
        return ask(u"请输入初始密码!"_s, AccountBox::NewPassword);
    if (clerk.confirmation.isEmpty())
        return ask(u"请输入确认密码!"_s, AccountBox::Confirmation);
    if (clerk.confirmation != clerk.password)
        return ask(u"初始密码与确认密码不符，请重新输入!"_s, AccountBox::NewPassword);

    const QString nameField = u"username"_s;
    accounts.findFirst({ nameField, clerk.name });
    if (!accounts.noMatch())
        return ask(u"此用户户已存在,添加新用户失败！"_s, AccountBox::UserName);
    if (!store::isBareTableName(clerk.name)) {
        return ask(u"用户名无效,不能含空格和半角标点,且不能全为数字或数据库保留字,添加新用户失败！"_s,
                   AccountBox::UserName);
    }
    const LogTable logTable = logTableFor(database, clerk.name);
    if (logTable == LogTable::TakenByOther)
        return ask(u"已有同名的数据表,此用户名不能使用,添加新用户失败！"_s, AccountBox::UserName);

    bool added = false;
    {
        platform::Transaction transaction(database);
        added = transaction.isActive() && store::renameOldLookupIndexes(database)
            && (logTable == LogTable::LeftByDeletedClerk
                || store::createTable(database, clerk.name, store::logTableColumns()))
            && accounts.appendRecord({ nameField, u"userpassword"_s },
                                     { clerk.name, EncodePassword(clerk.password, Role::Clerk) })
            && transaction.commit();
    }
    if (!added) {
        // the source may still point at the record the rollback took away
        accounts.refresh();
        return databaseErrorReply();
    }
    return { .message = u"添加新用户成功！"_s,
             .logEntry = roleWording(u"添加制单员"_s + clerk.name + u",成功。"_s),
             .then = AccountReply::Then::Close };
}

QString deleteClerkOpeningEntry()
{
    return roleWording(u"进入删除制单员页面。"_s);
}

QString deleteClerkReturnEntry()
{
    return roleWording(u"退出删除制单员页面。"_s);
}

AccountReply deleteClerk(store::BoundRecordset& accounts, const QString& name, const ConfirmQuestion& confirm)
{
    const QString title = u"删除"_s;
    if (!findClerk(accounts, name))
        return { .message = u"无此制单员!"_s, .title = title, .focus = AccountBox::UserName };
    if (!confirm(u"确定要删除"_s + name + u"吗?"_s, title))
        return { .message = u"操作取消!"_s, .title = title };
    const QString deleted = accounts.value(u"username"_s).value_or(name);
    if (!accounts.remove())
        return databaseErrorReply();
    return { .message = u"删除成功!"_s,
             .title = title,
             .logEntry = roleWording(u"删除制单员"_s + deleted + u",成功。"_s),
             .refill = true };
}

} // namespace users
