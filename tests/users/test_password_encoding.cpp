#include "users/password_encoding.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestPasswordEncoding final : public QObject
{
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void roles_data();
    void roles();
};

void TestPasswordEncoding::encode_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<users::Role>("role");
    QTest::addColumn<QString>("encoded");
    // codes: digit value + 48 + offset; offsets clerk i, administrator i + 1, super user 2i
    QTest::newRow("clerk digits") << u"123"_s << users::Role::Clerk << u"246"_s;
    QTest::newRow("administrator digits") << u"123"_s << users::Role::Administrator << u"357"_s;
    QTest::newRow("super user digits") << u"123"_s << users::Role::SuperUser << u"369"_s;
    QTest::newRow("letters count as zero") << u"ab"_s << users::Role::Clerk << u"12"_s;
    QTest::newRow("letters like zeros") << u"00"_s << users::Role::Clerk << u"12"_s;
    QTest::newRow("non-ascii and space") << u"药 9"_s << users::Role::Clerk << u"12<"_s;
    QTest::newRow("full-width digit is no digit") << u"１"_s << users::Role::Clerk << u"1"_s;
    QTest::newRow("empty") << QString() << users::Role::SuperUser << QString();
    QTest::newRow("twelve nines, super user") << u"999999999999"_s << users::Role::SuperUser << u";=?ACEGIKMOQ"_s;
}

void TestPasswordEncoding::encode()
{
    QFETCH(QString, password);
    QFETCH(users::Role, role);
    QFETCH(QString, encoded);
    QCOMPARE(users::EncodePassword(password, role), encoded);
}

void TestPasswordEncoding::roles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<users::Role>("role");
    QTest::newRow("super") << u"super"_s << users::Role::SuperUser;
    QTest::newRow("SUPER is a clerk") << u"SUPER"_s << users::Role::Clerk;
    QTest::newRow("Orsvan") << u"Orsvan"_s << users::Role::Administrator;
    QTest::newRow("orsvan is a clerk") << u"orsvan"_s << users::Role::Clerk;
    QTest::newRow("clerk") << u"张三"_s << users::Role::Clerk;
}

void TestPasswordEncoding::roles()
{
    QFETCH(QString, name);
    QFETCH(users::Role, role);
    QCOMPARE(users::RoleOf(name), role);
}

QTEST_GUILESS_MAIN(TestPasswordEncoding)
#include "test_password_encoding.moc"
