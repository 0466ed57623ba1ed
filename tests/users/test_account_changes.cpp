#include "store/bound_recordset.h"
#include "store/statements.h"
#include "store/table_names.h"
#include "support/scratch_database.h"
#include "users/account_lookup.h"
#include "users/clerk_changes.h"
#include "users/current_user.h"
#include "users/password_change.h"
#include "users/password_encoding.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using users::AccountBox;
using users::AccountReply;
using users::PasswordForm;
using users::Role;

Q_DECLARE_METATYPE(users::PasswordForm)
Q_DECLARE_METATYPE(users::AccountBox)

namespace {

using Rows = QList<QStringList>;

QString clerkPassword(const QString& text)
{
    return users::EncodePassword(text, Role::Clerk);
}

QString administratorPassword(const QString& text)
{
    return users::EncodePassword(text, Role::Administrator);
}

/** The delivered database with these accounts after the administrator's, optionally without the administrator. */
struct Accounts
{
    explicit Accounts(const Rows& clerks, bool withAdministrator = true)
    {
        if (!withAdministrator)
            QVERIFY(scratch.db().exec(u"DELETE FROM \"user\""_s));
        for (const QStringList& clerk : clerks)
            QVERIFY(scratch.db().exec(u"INSERT INTO \"user\" VALUES (?, ?)"_s, { clerk.at(0), clerk.at(1) }));
    }

    QStringList tables()
    {
        QStringList names;
        QSqlQuery query = scratch.db().prepare(u"SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"_s);
        if (query.exec()) {
            while (query.next())
                names << query.value(0).toString();
        }
        return names;
    }

    testsupport::ScratchDatabase scratch { true };
};

} // namespace

class TestAccountChanges final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void changePassword_data();
    void changePassword();
    void twoWrongThenRightChanges_data();
    void twoWrongThenRightChanges();
    void thirdWrongPasswordEndsRun_data();
    void thirdWrongPasswordEndsRun();
    void countStartsAgainAtEachOpening();
    void nameNotFoundDoesNotCount();
    void refusedChange_data();
    void refusedChange();
    void openingAndCancelEntries_data();
    void openingAndCancelEntries();

    void addClerk_data();
    void addClerk();
    void addClerkStoresBothOrNeither();
    void addClerkNamedAsAnEarlierIndex();

    void deleteClerk_data();
    void deleteClerk();
    void clerkNamesLeaveOutAdministrator();

private:
    static void attemptsData();
};

void TestAccountChanges::cleanup()
{
    users::setCurrentUser({});
}

void TestAccountChanges::changePassword_data()
{
    QTest::addColumn<PasswordForm>("form");
    QTest::addColumn<QString>("signedIn");
    QTest::addColumn<Rows>("clerks");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("logEntry");
    QTest::addColumn<QString>("table");
    QTest::addColumn<Rows>("stored");

    const QString orsvan = administratorPassword(u"123456"_s);
    const Rows zhang { { u"张三"_s, clerkPassword(u"111"_s) } };

    QTest::newRow("super user's own") << PasswordForm::SuperUser << u"super"_s << Rows() << QString() << u"888888"_s
                                      << u"2468"_s << u"超级用户修改密码,成功。"_s << u"password"_s
                                      << Rows { { users::EncodePassword(u"2468"_s, Role::SuperUser) } };
    // 654321 in the administrator encoding: each digit plus its position plus one
    QTest::newRow("administrator's own keeps the administrator encoding")
        << PasswordForm::Account << u"Orsvan"_s << zhang << u"Orsvan"_s << u"123456"_s << u"654321"_s
        << u"系统管理员修改管理密码成功。"_s << u"user"_s
        << Rows { { u"Orsvan"_s, u"888888"_s }, { u"张三"_s, clerkPassword(u"111"_s) } };
    QTest::newRow("clerk's own") << PasswordForm::Account << u"张三"_s << zhang << u"张三"_s << u"111"_s << u"222"_s
                                 << u"制单员张三修改密码成功。"_s << u"user"_s
                                 << Rows { { u"Orsvan"_s, orsvan }, { u"张三"_s, clerkPassword(u"222"_s) } };
    QTest::newRow("clerk's own typed in another case")
        << PasswordForm::Account << u"super"_s << Rows { { u"zhang"_s, clerkPassword(u"7"_s) } } << u"ZHANG"_s << u"7"_s
        << u"8"_s << u"制单员ZHANG修改密码成功。"_s << u"user"_s
        << Rows { { u"Orsvan"_s, orsvan }, { u"zhang"_s, clerkPassword(u"8"_s) } };
    QTest::newRow("name with a quote is found exactly")
        << PasswordForm::Account << u"Orsvan"_s
        << Rows { { u"o''b"_s, clerkPassword(u"5"_s) }, { u"o'b"_s, clerkPassword(u"5"_s) } } << u"o'b"_s << u"5"_s
        << u"6"_s << u"制单员o'b修改密码成功。"_s << u"user"_s
        << Rows { { u"Orsvan"_s, orsvan }, { u"o''b"_s, clerkPassword(u"5"_s) }, { u"o'b"_s, clerkPassword(u"6"_s) } };
    QTest::newRow("clerk's set by the super user")
        << PasswordForm::Clerk << u"super"_s << zhang << u"张三"_s << u"123456"_s << u"999"_s
        << u"超级用户修改制单员张三的密码,成功。"_s << u"user"_s
        << Rows { { u"Orsvan"_s, orsvan }, { u"张三"_s, clerkPassword(u"999"_s) } };
    QTest::newRow("clerk's set by the administrator")
        << PasswordForm::Clerk << u"Orsvan"_s << zhang << u"张三"_s << u"123456"_s << u"999"_s
        << u"系统管理员修改制单员张三的密码,成功。"_s << u"user"_s
        << Rows { { u"Orsvan"_s, orsvan }, { u"张三"_s, clerkPassword(u"999"_s) } };
}

void TestAccountChanges::changePassword()
{
    QFETCH(PasswordForm, form);
    QFETCH(QString, signedIn);
    QFETCH(Rows, clerks);
    QFETCH(QString, userName);
    QFETCH(QString, oldPassword);
    QFETCH(QString, newPassword);
    QFETCH(QString, logEntry);
    QFETCH(QString, table);
    QFETCH(Rows, stored);

    Accounts accounts(clerks);
    users::setCurrentUser(signedIn);
    store::BoundRecordset records(accounts.scratch.db(), users::PasswordChange::table(form));
    users::PasswordChange change(form, records);
    change.open();

    const AccountReply reply = change.confirm({ userName, oldPassword, newPassword, newPassword });
    QCOMPARE(reply.message, u"密码修改成功！"_s);
    QCOMPARE(reply.logEntry, logEntry);
    QCOMPARE(reply.then, AccountReply::Then::Close);
    QCOMPARE(accounts.scratch.rows(table), stored);
}

void TestAccountChanges::attemptsData()
{
    QTest::addColumn<PasswordForm>("form");
    QTest::addColumn<QString>("signedIn");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("rightPassword");
    QTest::addColumn<QString>("retryMessage");
    QTest::addColumn<QString>("finalMessage");
    QTest::addColumn<QString>("failureEntry");

    QTest::newRow("super") << PasswordForm::SuperUser << u"super"_s << QString() << u"888888"_s
                           << u"旧密码错误,请重新输入!"_s << u"旧密码错误!"_s
                           << u"超级用户修改密码,失败,原因:旧密码错！退出系统。"_s;
    QTest::newRow("user, administrator's account")
        << PasswordForm::Account << u"super"_s << u"Orsvan"_s << u"123456"_s << u"旧密码错误,请重新输入!"_s
        << u"旧密码错误!"_s << u"系统管理员修改管理密码失败,原因:旧密码错！退出系统。"_s;
    QTest::newRow("user, clerk's account")
        << PasswordForm::Account << u"Orsvan"_s << u"张三"_s << u"111"_s << u"旧密码错误,请重新输入!"_s
        << u"旧密码错误!"_s << u"制单员张三修改密码失败,原因:旧密码错！退出系统。"_s;
    QTest::newRow("password, by the super user")
        << PasswordForm::Clerk << u"super"_s << u"张三"_s << u"123456"_s << u"管理密码错误,请重新输入!"_s
        << u"管理密码错误!"_s << u"超级用户修改制单员的密码,失败,原因:管理密码错！退出系统。"_s;
    QTest::newRow("password, by the administrator")
        << PasswordForm::Clerk << u"Orsvan"_s << u"张三"_s << u"123456"_s << u"管理密码错误,请重新输入!"_s
        << u"管理密码错误!"_s << u"系统管理员修改制单员的密码,失败,原因:管理密码错！退出系统。"_s;
}

void TestAccountChanges::twoWrongThenRightChanges_data()
{
    attemptsData();
}

void TestAccountChanges::twoWrongThenRightChanges()
{
    QFETCH(PasswordForm, form);
    QFETCH(QString, signedIn);
    QFETCH(QString, userName);
    QFETCH(QString, rightPassword);
    QFETCH(QString, retryMessage);

    Accounts accounts({ { u"张三"_s, clerkPassword(u"111"_s) } });
    users::setCurrentUser(signedIn);
    const QString table = users::PasswordChange::table(form);
    store::BoundRecordset records(accounts.scratch.db(), table);
    users::PasswordChange change(form, records);
    change.open();

    for (int attempt = 1; attempt <= 2; ++attempt) {
        const AccountReply reply = change.confirm({ userName, u"000"_s, u"42"_s, u"42"_s });
        QCOMPARE(reply.message, retryMessage);
        QCOMPARE(reply.cleared, AccountBox::OldPassword);
        QCOMPARE(reply.focus, AccountBox::OldPassword);
        QVERIFY(reply.logEntry.isEmpty());
        QCOMPARE(reply.then, AccountReply::Then::StayOpen);
    }
    const Rows before = accounts.scratch.rows(table);
    const AccountReply reply = change.confirm({ userName, rightPassword, u"42"_s, u"42"_s });
    QCOMPARE(reply.message, u"密码修改成功！"_s);
    QCOMPARE(reply.then, AccountReply::Then::Close);
    QVERIFY(accounts.scratch.rows(table) != before);
}

void TestAccountChanges::thirdWrongPasswordEndsRun_data()
{
    attemptsData();
}

void TestAccountChanges::thirdWrongPasswordEndsRun()
{
    QFETCH(PasswordForm, form);
    QFETCH(QString, signedIn);
    QFETCH(QString, userName);
    QFETCH(QString, finalMessage);
    QFETCH(QString, failureEntry);

    Accounts accounts({ { u"张三"_s, clerkPassword(u"111"_s) } });
    users::setCurrentUser(signedIn);
    const QString table = users::PasswordChange::table(form);
    store::BoundRecordset records(accounts.scratch.db(), table);
    users::PasswordChange change(form, records);
    change.open();
    const Rows before = accounts.scratch.rows(table);

    change.confirm({ userName, u"000"_s, u"42"_s, u"42"_s });
    change.confirm({ userName, u"000"_s, u"42"_s, u"42"_s });
    const AccountReply reply = change.confirm({ userName, u"000"_s, u"42"_s, u"42"_s });
    QCOMPARE(reply.message, finalMessage);
    QCOMPARE(reply.logEntry, failureEntry);
    QCOMPARE(reply.then, AccountReply::Then::EndRun);
    QCOMPARE(accounts.scratch.rows(table), before);
}

void TestAccountChanges::countStartsAgainAtEachOpening()
{
    Accounts accounts({});
    users::setCurrentUser(u"super"_s);
    store::BoundRecordset records(accounts.scratch.db(), u"password"_s);
    users::PasswordChange change(PasswordForm::SuperUser, records);
    const users::PasswordEntry wrong { {}, u"1"_s, u"2"_s, u"2"_s };

    change.open();
    change.confirm(wrong);
    change.confirm(wrong);
    change.open();
    QCOMPARE(change.confirm(wrong).then, AccountReply::Then::StayOpen);
    QCOMPARE(change.confirm(wrong).then, AccountReply::Then::StayOpen);
    QCOMPARE(change.confirm(wrong).then, AccountReply::Then::EndRun);
}

void TestAccountChanges::nameNotFoundDoesNotCount()
{
    Accounts accounts({});
    users::setCurrentUser(u"Orsvan"_s);
    store::BoundRecordset records(accounts.scratch.db(), u"user"_s);
    users::PasswordChange change(PasswordForm::Account, records);
    change.open();

    const users::PasswordEntry wrong { u"Orsvan"_s, u"1"_s, u"2"_s, u"2"_s };
    change.confirm(wrong);
    QCOMPARE(change.confirm({ u"王五"_s, u"1"_s, u"2"_s, u"2"_s }).message, u"无此用户,请检查用户名!"_s);
    QCOMPARE(change.confirm(wrong).then, AccountReply::Then::StayOpen);
    QCOMPARE(change.confirm(wrong).then, AccountReply::Then::EndRun);
}

void TestAccountChanges::refusedChange_data()
{
    QTest::addColumn<PasswordForm>("form");
    QTest::addColumn<Rows>("clerks");
    QTest::addColumn<bool>("withAdministrator");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("message");
    QTest::addColumn<AccountBox>("focus");

    const QString notFound = u"无此用户,请检查用户名!"_s;
    const QString noAdministrator = u"无系统管理员用户,无法核对管理密码!"_s;
    QTest::newRow("user: unknown name") << PasswordForm::Account << Rows() << true << u"王五"_s << u"1"_s << notFound
                                        << AccountBox::OldPassword;
    QTest::newRow("user: administrator's record missing") << PasswordForm::Account << Rows() << false << u"Orsvan"_s
                                                          << u"123456"_s << notFound << AccountBox::OldPassword;
    // typed in another case the name is a clerk's and never reaches the administrator's record
    QTest::newRow("user: administrator's name in another case")
        << PasswordForm::Account << Rows() << true << u"orsvan"_s << u"123456"_s << notFound << AccountBox::OldPassword;
    QTest::newRow("password: administrator's record missing")
        << PasswordForm::Clerk << Rows { { u"张三"_s, clerkPassword(u"1"_s) } } << false << u"张三"_s << u"123456"_s
        << noAdministrator << AccountBox::None;
    QTest::newRow("password: only a clerk named like the administrator")
        << PasswordForm::Clerk
        << Rows { { u"ORSVAN"_s, administratorPassword(u"123456"_s) }, { u"张三"_s, clerkPassword(u"1"_s) } } << false
        << u"张三"_s << u"123456"_s << noAdministrator << AccountBox::None;
    QTest::newRow("password: the administrator's own name")
        << PasswordForm::Clerk << Rows() << true << u"Orsvan"_s << u"123456"_s << u"系统管理员的密码不能在此修改!"_s
        << AccountBox::UserName;
    QTest::newRow("password: unknown clerk") << PasswordForm::Clerk << Rows() << true << u"王五"_s << u"123456"_s
                                             << u"无此用户,请确认用户名!"_s << AccountBox::UserName;
}

void TestAccountChanges::refusedChange()
{
    QFETCH(PasswordForm, form);
    QFETCH(Rows, clerks);
    QFETCH(bool, withAdministrator);
    QFETCH(QString, userName);
    QFETCH(QString, oldPassword);
    QFETCH(QString, message);
    QFETCH(AccountBox, focus);

    Accounts accounts(clerks, withAdministrator);
    users::setCurrentUser(u"super"_s);
    store::BoundRecordset records(accounts.scratch.db(), u"user"_s);
    users::PasswordChange change(form, records);
    change.open();
    const Rows before = accounts.scratch.rows(u"user"_s);

    const AccountReply reply = change.confirm({ userName, oldPassword, u"42"_s, u"42"_s });
    QCOMPARE(reply.message, message);
    QCOMPARE(reply.focus, focus);
    QCOMPARE(reply.cleared, AccountBox::None);
    QVERIFY(reply.logEntry.isEmpty());
    QCOMPARE(reply.then, AccountReply::Then::StayOpen);
    QCOMPARE(accounts.scratch.rows(u"user"_s), before);
}

void TestAccountChanges::openingAndCancelEntries_data()
{
    QTest::addColumn<PasswordForm>("form");
    QTest::addColumn<QString>("signedIn");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("cancel");

    QTest::newRow("super, by the administrator")
        << PasswordForm::SuperUser << u"Orsvan"_s << u"超级用户进入密码修改系统。"_s << u"超级用户退出密码修改系统。"_s;
    QTest::newRow("user, by the super user in a clerk's wording")
        << PasswordForm::Account << u"super"_s << u"制单员super进入密码修改系统。"_s
        << u"制单员super退出密码修改系统。"_s;
    QTest::newRow("user, by the administrator")
        << PasswordForm::Account << u"Orsvan"_s << u"系统管理员进入管理密码修改系统。"_s
        << u"系统管理员退出管理密码修改系统。"_s;
    QTest::newRow("user, by a clerk") << PasswordForm::Account << u"张三"_s << u"制单员张三进入密码修改系统。"_s
                                      << u"制单员张三退出密码修改系统。"_s;
    QTest::newRow("password, by the super user")
        << PasswordForm::Clerk << u"super"_s << u"超级用户进入制单员密码修改系统。"_s
        << u"超级用户退出制单员密码修改系统。"_s;
    QTest::newRow("password, by the administrator")
        << PasswordForm::Clerk << u"Orsvan"_s << u"系统管理员进入制单员密码修改系统。"_s
        << u"系统管理员退出制单员密码修改系统。"_s;
}

void TestAccountChanges::openingAndCancelEntries()
{
    QFETCH(PasswordForm, form);
    QFETCH(QString, signedIn);
    QFETCH(QString, opening);
    QFETCH(QString, cancel);

    Accounts accounts({});
    users::setCurrentUser(signedIn);
    store::BoundRecordset records(accounts.scratch.db(), users::PasswordChange::table(form));
    users::PasswordChange change(form, records);
    QCOMPARE(change.open(), opening);
    QCOMPARE(change.cancelEntry(), cancel);
}

void TestAccountChanges::addClerk_data()
{
    QTest::addColumn<Rows>("clerks");
    QTest::addColumn<bool>("withAdministrator");
    QTest::addColumn<QString>("otherTable"); // created beforehand: name, then its columns
    QTest::addColumn<QStringList>("otherColumns");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    const QString added = u"添加新用户成功！"_s;
    const QString exists = u"此用户户已存在,添加新用户失败！"_s;
    const QString invalid = u"用户名无效,不能含空格和半角标点,且不能全为数字或数据库保留字,添加新用户失败！"_s;
    const QString taken = u"已有同名的数据表,此用户名不能使用,添加新用户失败！"_s;
    const QStringList log = store::logTableColumns();

    QTest::newRow("new clerk") << Rows() << true << QString() << QStringList() << u"张三"_s << added;
    QTest::newRow("deleted clerk's log table is taken over")
        << Rows() << true << u"李四"_s << log << u"李四"_s << added;
    QTest::newRow("deleted clerk's log table in another case")
        << Rows() << true << u"lisi"_s << log << u"LISI"_s << added;
    QTest::newRow("clerk differing only by case")
        << Rows { { u"zhang"_s, clerkPassword(u"1"_s) } } << true << QString() << QStringList() << u"ZHANG"_s << exists;
    QTest::newRow("administrator in another case")
        << Rows() << true << QString() << QStringList() << u"orsvan"_s << exists;
    QTest::newRow("administrator's log without its record")
        << Rows() << false << QString() << QStringList() << u"Orsvan"_s << taken;
    QTest::newRow("super user's log") << Rows() << true << QString() << QStringList() << u"super"_s << taken;
    QTest::newRow("super user's log in another case")
        << Rows() << true << QString() << QStringList() << u"SUPER"_s << taken;
    QTest::newRow("fixed table") << Rows() << true << QString() << QStringList() << u"药品"_s << taken;
    QTest::newRow("unit's transaction table")
        << Rows() << true << u"华康诊所"_s << store::transactionTableColumns() << u"华康诊所"_s << taken;
    QTest::newRow("unit's companion table")
        << Rows() << true << u"华康诊所1"_s << store::companionTableColumns() << u"华康诊所1"_s << taken;
    QTest::newRow("table with the log's columns in another order")
        << Rows() << true << u"备忘"_s << QStringList { u"备注"_s, u"年月日"_s } << u"备忘"_s << taken;
    QTest::newRow("quote") << Rows() << true << QString() << QStringList() << u"o'b"_s << invalid;
    QTest::newRow("space") << Rows() << true << QString() << QStringList() << u"王 五"_s << invalid;
    QTest::newRow("keyword") << Rows() << true << QString() << QStringList() << u"select"_s << invalid;
    QTest::newRow("digits only") << Rows() << true << QString() << QStringList() << u"123"_s << invalid;
    QTest::newRow("ASCII punctuation") << Rows() << true << QString() << QStringList() << u"王-五"_s << invalid;
    QTest::newRow("ideographic space") << Rows() << true << QString() << QStringList() << u"王　五"_s << invalid;
    for (const QString& name : { u"第一医院（东城）"_s, u"同仁堂－分店"_s, u"张三·药房"_s, u"【新】康宁诊所"_s,
                                 u"lookup_1"_s, u"lookup_2"_s, u"lookup_3"_s, u"lookup_4"_s })
        QTest::addRow("%s", qPrintable(name)) << Rows() << true << QString() << QStringList() << name << added;
}

void TestAccountChanges::addClerk()
{
    QFETCH(Rows, clerks);
    QFETCH(bool, withAdministrator);
    QFETCH(QString, otherTable);
    QFETCH(QStringList, otherColumns);
    QFETCH(QString, name);
    QFETCH(QString, message);

    Accounts accounts(clerks, withAdministrator);
    const Rows entriesBefore { { u"200401019:00:00"_s, u"制单员进入系统。"_s } };
    if (!otherTable.isEmpty()) {
        const Rows rows = otherColumns == store::logTableColumns() ? entriesBefore : Rows();
        accounts.scratch.createTable(otherTable, otherColumns, rows);
    }
    users::setCurrentUser(u"Orsvan"_s);
    const Rows usersBefore = accounts.scratch.rows(u"user"_s);
    const QStringList tablesBefore = accounts.tables();
    store::BoundRecordset records(accounts.scratch.db(), u"user"_s);

    const AccountReply reply = users::addClerk(accounts.scratch.db(), records, { name, u"12"_s, u"12"_s });
    QCOMPARE(reply.message, message);
    if (message != u"添加新用户成功！"_s) {
        QCOMPARE(reply.then, AccountReply::Then::StayOpen);
        QCOMPARE(reply.focus, AccountBox::UserName);
        QVERIFY(reply.logEntry.isEmpty());
        QCOMPARE(accounts.scratch.rows(u"user"_s), usersBefore);
        QCOMPARE(accounts.tables(), tablesBefore);
        return;
    }
    QCOMPARE(reply.then, AccountReply::Then::Close);
    QCOMPARE(reply.logEntry, u"系统管理员添加制单员"_s + name + u",成功。"_s);
    QCOMPARE(accounts.scratch.rows(u"user"_s), usersBefore + Rows({ { name, clerkPassword(u"12"_s) } }));
    store::BoundRecordset logTable(accounts.scratch.db(), name);
    QVERIFY(logTable.isOpen());
    QCOMPARE(logTable.fields(), store::logTableColumns());
    QCOMPARE(logTable.allRecords(), otherTable.isEmpty() ? Rows() : entriesBefore);
}

void TestAccountChanges::addClerkStoresBothOrNeither()
{
    Accounts accounts({});
    users::setCurrentUser(u"super"_s);
    QVERIFY(accounts.scratch.db().exec(
        u"CREATE TRIGGER refuse BEFORE INSERT ON \"user\" BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));
    const QStringList tablesBefore = accounts.tables();
    store::BoundRecordset records(accounts.scratch.db(), u"user"_s);

    const AccountReply reply = users::addClerk(accounts.scratch.db(), records, { u"张三"_s, u"1"_s, u"1"_s });
    QCOMPARE(reply.message, u"数据库错误，请检查数据库！"_s);
    QCOMPARE(reply.then, AccountReply::Then::StayOpen);
    QCOMPARE(accounts.tables(), tablesBefore);
    QCOMPARE(accounts.scratch.rows(u"user"_s).size(), 1);
    QVERIFY(!accounts.scratch.db().inTransaction());
}

void TestAccountChanges::addClerkNamedAsAnEarlierIndex()
{
    Accounts accounts({});
    accounts.scratch.useEarlierLookupIndexNames();
    users::setCurrentUser(u"super"_s);
    store::BoundRecordset records(accounts.scratch.db(), u"user"_s);

    const AccountReply reply = users::addClerk(accounts.scratch.db(), records, { u"lookup_3"_s, u"1"_s, u"1"_s });
    QCOMPARE(reply.message, u"添加新用户成功！"_s);
    QVERIFY(store::tableExists(accounts.scratch.db(), u"lookup_3"_s));
    QCOMPARE(accounts.scratch.rows(u"user"_s).size(), 2);
    for (const QString& index : accounts.scratch.indexNames())
        QVERIFY2(!store::isBareTableName(index), qPrintable(index));
}

void TestAccountChanges::deleteClerk_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("deleted");

    const QString notFound = u"无此制单员!"_s;
    QTest::newRow("chosen clerk") << u"张三"_s << true << u"确定要删除张三吗?"_s << u"删除成功!"_s << u"张三"_s;
    QTest::newRow("cancelled") << u"张三"_s << false << u"确定要删除张三吗?"_s << u"操作取消!"_s << QString();
    QTest::newRow("typed in another case")
        << u"ZHANG"_s << true << u"确定要删除ZHANG吗?"_s << u"删除成功!"_s << u"zhang"_s;
    QTest::newRow("name with a quote is found exactly")
        << u"o'b"_s << true << u"确定要删除o'b吗?"_s << u"删除成功!"_s << u"o'b"_s;
    QTest::newRow("administrator") << u"Orsvan"_s << true << QString() << notFound << QString();
    QTest::newRow("administrator in another case") << u"orsvan"_s << true << QString() << notFound << QString();
    QTest::newRow("unknown name") << u"王五"_s << true << QString() << notFound << QString();
    QTest::newRow("empty name") << QString() << true << QString() << notFound << QString();
}

void TestAccountChanges::deleteClerk()
{
    QFETCH(QString, name);
    QFETCH(bool, confirmed);
    QFETCH(QString, question);
    QFETCH(QString, message);
    QFETCH(QString, deleted);

    Accounts accounts({ { u"o''b"_s, u"1"_s }, { u"张三"_s, u"2"_s }, { u"o'b"_s, u"3"_s }, { u"zhang"_s, u"4"_s } });
    accounts.scratch.createTable(u"张三"_s, store::logTableColumns(), { { u"200401019:00:00"_s, u"x"_s } });
    users::setCurrentUser(u"super"_s);
    const Rows before = accounts.scratch.rows(u"user"_s);
    store::BoundRecordset records(accounts.scratch.db(), u"user"_s);

    QStringList asked;
    const auto confirm = [&](const QString& text, const QString& title) {
        asked << text;
        return title == u"删除"_s && confirmed;
    };
    const AccountReply reply = users::deleteClerk(records, name, confirm);

    QCOMPARE(asked, question.isEmpty() ? QStringList() : QStringList { question });
    QCOMPARE(reply.message, message);
    QCOMPARE(reply.title, u"删除"_s);
    QCOMPARE(reply.then, AccountReply::Then::StayOpen);
    Rows remaining = before;
    remaining.removeIf([&](const QStringList& row) { return row.at(0) == deleted; });
    QCOMPARE(accounts.scratch.rows(u"user"_s), remaining);
    QCOMPARE(reply.refill, !deleted.isEmpty());
    QCOMPARE(reply.logEntry, deleted.isEmpty() ? QString() : u"超级用户删除制单员"_s + deleted + u",成功。"_s);
    // the deleted clerk's entries stay
    QCOMPARE(accounts.scratch.rows(u"张三"_s).size(), 1);
}

void TestAccountChanges::clerkNamesLeaveOutAdministrator()
{
    Accounts accounts({ { u"张三"_s, u"1"_s }, { u"orsvan"_s, u"2"_s } });
    QVERIFY(accounts.scratch.db().exec(u"INSERT INTO \"user\" VALUES ('李四', '3')"_s));
    store::BoundRecordset records(accounts.scratch.db(), u"user"_s);
    QCOMPARE(users::clerkNames(records), (QStringList { u"张三"_s, u"orsvan"_s, u"李四"_s }));
}

QTEST_GUILESS_MAIN(TestAccountChanges)
#include "test_account_changes.moc"
