#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/sale_date_index.h"
#include "store/schema.h"
#include "store/statements.h"
#include "store/table_names.h"
#include "support/scratch_database.h"
#include "users/password_encoding.h"

#include <QDir>
#include <QFile>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestSchema final : public QObject
{
    Q_OBJECT

private slots:
    void deliveredTablesHoldTextColumns_data();
    void deliveredTablesHoldTextColumns();
    void deliveredRecords();
    void lookupsUseAnIndex_data();
    void lookupsUseAnIndex();
    void indexNamesAreNoTableNames_data();
    void indexNamesAreNoTableNames();
    void earlierLookupIndexesAreRenamed();
    void existingFileIsLeftAlone();
    void tableNames_data();
    void tableNames();
    void createRefusesTakenNames_data();
    void createRefusesTakenNames();
    void createdTablesKeepTextAsTyped();
    void dropTable();
};

void TestSchema::deliveredTablesHoldTextColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    // the 助记码 column comes after the eight the catalogue has always had, as it does in a database that took it later
    QTest::newRow("药品") << u"药品"_s << QStringList { u"名称"_s, u"代号"_s, u"生产厂家"_s, u"规格"_s,  u"单位"_s,
                                                        u"单价"_s, u"进价"_s, u"类型"_s,     u"助记码"_s };
    QTest::newRow("单位") << u"单位"_s
                          << QStringList { u"单位名称"_s, u"责任人"_s, u"地址"_s,   u"电话"_s,    u"传真"_s,
                                           u"邮编"_s,     u"信誉度"_s, u"加入人"_s, u"加入时间"_s };
    QTest::newRow("user") << u"user"_s << QStringList { u"username"_s, u"userpassword"_s };
    QTest::newRow("password") << u"password"_s << QStringList { u"super"_s };
    QTest::newRow("抬头") << u"抬头"_s << QStringList { u"抬头"_s };
    QTest::newRow("流水号") << u"流水号"_s << QStringList { u"流水号"_s };
    QTest::newRow("super log") << u"super"_s << QStringList { u"年月日"_s, u"备注"_s };
    QTest::newRow("Orsvan log") << u"Orsvan"_s << QStringList { u"年月日"_s, u"备注"_s };
}

void TestSchema::deliveredTablesHoldTextColumns()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    testsupport::ScratchDatabase scratch(true);
    if (scratch.onServer()) {
        QCOMPARE(store::tableColumns(scratch.db(), table), columns);
        QVERIFY(scratch.db().connection().record(table).field(columns.first()).metaType()
                == QMetaType::fromType<QString>());
        return;
    }
    QSqlQuery info = scratch.db().prepare(u"SELECT name, type FROM pragma_table_info(?)"_s);
    info.addBindValue(table);
    QVERIFY(info.exec());
    QStringList names;
    while (info.next()) {
        names << info.value(0).toString();
        QCOMPARE(info.value(1).toString(), u"TEXT"_s);
    }
    QCOMPARE(names, columns);
}

void TestSchema::deliveredRecords()
{
    testsupport::ScratchDatabase scratch(true);
    const QString superPassword
        = users::EncodePassword(QString::fromUtf16(store::delivered::superUserPassword), users::Role::SuperUser);
    const QString adminPassword = users::EncodePassword(QString::fromUtf16(store::delivered::administratorPassword),
                                                        users::Role::Administrator);
    QCOMPARE(scratch.rows(u"password"_s), QList<QStringList> { { superPassword } });
    QCOMPARE(scratch.rows(u"user"_s), (QList<QStringList> { { u"Orsvan"_s, adminPassword } }));
    QCOMPARE(scratch.rows(u"抬头"_s), QList<QStringList> { { QString::fromUtf16(store::delivered::letterhead) } });
    QCOMPARE(scratch.rows(u"流水号"_s), QList<QStringList> { { u"1"_s } });
    for (const auto& empty : { u"药品"_s, u"单位"_s, u"super"_s, u"Orsvan"_s })
        QVERIFY2(scratch.rows(empty).isEmpty(), qPrintable(empty));
    QVERIFY(!QFile::exists(scratch.path() + u".new"_s));
}

void TestSchema::lookupsUseAnIndex_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("earlierIndexes"); // a database made before the indexes were renamed, once renamed
    for (const bool earlier : { false, true }) {
        const char* made = earlier ? ", renamed" : "";
        QTest::addRow("medicine name%s", made) << u"药品"_s << u"名称"_s << earlier;
        QTest::addRow("medicine code%s", made) << u"药品"_s << u"代号"_s << earlier;
        QTest::addRow("user name%s", made) << u"user"_s << u"username"_s << earlier;
        QTest::addRow("unit name%s", made) << u"单位"_s << u"单位名称"_s << earlier;
    }
}

void TestSchema::indexNamesAreNoTableNames_data()
{
    QTest::addColumn<bool>("earlierIndexes");
    QTest::newRow("delivered") << false;
    QTest::newRow("made by an earlier version, renamed") << true;
}

void TestSchema::indexNamesAreNoTableNames()
{
    // Index and table names share one name space: an index under a name a unit or clerk may have would refuse them.
    QFETCH(bool, earlierIndexes);
    if (earlierIndexes && testsupport::onTestServer())
        QSKIP("only files made by earlier versions carry the earlier index names");
    testsupport::ScratchDatabase scratch(true);
    if (earlierIndexes) {
        scratch.useEarlierLookupIndexNames();
        QVERIFY(store::renameOldLookupIndexes(scratch.db()));
    }
    QVERIFY(store::createTransactionTable(scratch.db(), u"仁和诊所"_s));
    const QStringList indexes = scratch.indexNames();
    QCOMPARE(indexes.size(), 6);
    for (const QString& index : indexes)
        QVERIFY2(!store::isBareTableName(index), qPrintable(index));
}

void TestSchema::earlierLookupIndexesAreRenamed()
{
    if (testsupport::onTestServer())
        QSKIP("only files made by earlier versions carry the earlier index names");
    testsupport::ScratchDatabase scratch(true);
    const QStringList delivered = scratch.indexNames();
    scratch.useEarlierLookupIndexNames();
    // An index of one of the old names that is not the program's stays as it is.
    QVERIFY(scratch.db().exec(u"DROP INDEX lookup_2"_s));
    scratch.createTable(u"备忘"_s, { u"备注"_s });
    QVERIFY(scratch.db().exec(u"CREATE INDEX lookup_2 ON 备忘 (备注)"_s));

    QVERIFY(store::renameOldLookupIndexes(scratch.db()));
    QStringList expected = delivered;
    QVERIFY(expected.removeOne(u"药品 代号"_s));
    expected << u"lookup_2"_s;
    expected.sort();
    QCOMPARE(scratch.indexNames(), expected);
    QVERIFY(!scratch.db().inTransaction());
    // Nothing is left to do the second time.
    QVERIFY(store::renameOldLookupIndexes(scratch.db()));
    QCOMPARE(scratch.indexNames(), expected);
}

void TestSchema::lookupsUseAnIndex()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(bool, earlierIndexes);
    if (testsupport::onTestServer())
        QSKIP("SQLite's query plan; a server's lookups are shown indexed by test_engine_sql");
    testsupport::ScratchDatabase scratch(true);
    if (earlierIndexes) {
        scratch.useEarlierLookupIndexNames();
        QVERIFY(store::renameOldLookupIndexes(scratch.db()));
    }
    QSqlQuery plan = scratch.db().prepare(u"EXPLAIN QUERY PLAN SELECT rowid FROM %1 WHERE %2 = ? COLLATE NOCASE"_s.arg(
        platform::quoteIdentifier(table), platform::quoteIdentifier(column)));
    plan.addBindValue(u"x"_s);
    QVERIFY(plan.exec());
    QString detail;
    while (plan.next())
        detail += plan.value(3).toString();
    QVERIFY2(detail.contains(u"USING COVERING INDEX"_s) || detail.contains(u"USING INDEX"_s), qPrintable(detail));
}

void TestSchema::existingFileIsLeftAlone()
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(u"useall.mdb"_s);
    QVERIFY(store::ensureDatabase(path));
    {
        platform::Database db(path);
        QVERIFY(db.exec(u"UPDATE \"抬头\" SET \"抬头\" = ?"_s, { u"改过的抬头"_s }));
    }
    QVERIFY(store::ensureDatabase(path));
    platform::Database db(path);
    QSqlQuery query = db.prepare(u"SELECT \"抬头\" FROM \"抬头\""_s);
    QVERIFY(query.exec() && query.next());
    QCOMPARE(query.value(0).toString(), u"改过的抬头"_s);
}

void TestSchema::tableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("characters"); // made only of the characters a name may hold
    QTest::addColumn<bool>("accepted");
    QTest::newRow("chinese") << u"华康诊所"_s << true << true;
    QTest::newRow("letters and digits") << u"A1"_s << true << true;
    QTest::newRow("leading digit") << u"1号诊所"_s << true << true;
    QTest::newRow("underscore") << u"_unit_2"_s << true << true;
    QTest::newRow("full-width brackets") << u"第一医院（东城）"_s << true << true;
    QTest::newRow("full-width hyphen") << u"同仁堂－分店"_s << true << true;
    QTest::newRow("middle dot") << u"张三·药房"_s << true << true;
    QTest::newRow("lenticular brackets") << u"【新】康宁诊所"_s << true << true;
    QTest::newRow("beyond the basic plane") << u"𠀀记诊所"_s << true << true;
    QTest::newRow("an index name of earlier versions") << u"lookup_1"_s << true << true;
    QTest::newRow("another, other case") << u"LOOKUP_4"_s << true << true;
    QTest::newRow("empty") << QString() << false << false;
    QTest::newRow("only digits") << u"2003"_s << true << false;
    QTest::newRow("only full-width digits") << u"２００３"_s << true << false;
    QTest::newRow("space") << u"华康 诊所"_s << false << false;
    QTest::newRow("leading space") << u" A"_s << false << false;
    QTest::newRow("full-width space") << u"华康　诊所"_s << false << false;
    QTest::newRow("no-break space") << u"华康\u00a0诊所"_s << false << false;
    QTest::newRow("tab") << u"华康\t诊所"_s << false << false;
    QTest::newRow("control character") << u"华康\u0085诊所"_s << false << false;
    QTest::newRow("zero-width space") << u"华康\u200b诊所"_s << false << false;
    QTest::newRow("unpaired surrogate") << u"华康"_s + QChar(0xd840) << false << false;
    QTest::newRow("quote") << u"A'B"_s << false << false;
    QTest::newRow("double quote") << u"A\"B"_s << false << false;
    QTest::newRow("bracket") << u"[A]"_s << false << false;
    QTest::newRow("semicolon") << u"A;DROP TABLE user"_s << false << false;
    QTest::newRow("dot") << u"main.user"_s << false << false;
    QTest::newRow("punctuation") << u"诊所(一)"_s << false << false;
    QTest::newRow("ASCII hyphen") << u"同仁堂-分店"_s << false << false;
    QTest::newRow("slash") << u"东城/西城"_s << false << false;
    QTest::newRow("keyword") << u"select"_s << true << false;
    QTest::newRow("keyword upper case") << u"TABLE"_s << true << false;
    QTest::newRow("engine's own") << u"sqlite_master"_s << true << false;
}

void TestSchema::tableNames()
{
    QFETCH(QString, name);
    QFETCH(bool, characters);
    QFETCH(bool, accepted);
    QCOMPARE(store::isNameText(name), characters);
    QCOMPARE(store::isBareTableName(name), accepted);
    testsupport::ScratchDatabase scratch(true);
    QCOMPARE(store::createTable(scratch.db(), name, store::logTableColumns()), accepted);
    QCOMPARE(store::tableExists(scratch.db(), name), accepted);
}

void TestSchema::createRefusesTakenNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("fixed table") << u"药品"_s;
    QTest::newRow("log table, other case") << u"ORSVAN"_s;
    QTest::newRow("account table, other case") << u"User"_s;
    QTest::newRow("companion of a unit") << u"A1"_s;
}

void TestSchema::createRefusesTakenNames()
{
    QFETCH(QString, name);
    testsupport::ScratchDatabase scratch(true);
    QVERIFY(store::createTable(scratch.db(), u"A"_s, store::transactionTableColumns()));
    QVERIFY(store::createTable(scratch.db(), u"A1"_s, store::companionTableColumns()));
    const auto before = scratch.rows(name);
    QVERIFY(!store::createTable(scratch.db(), name, store::logTableColumns()));
    QCOMPARE(scratch.rows(name), before);
}

void TestSchema::createdTablesKeepTextAsTyped()
{
    testsupport::ScratchDatabase scratch;
    QVERIFY(store::createTable(scratch.db(), u"华康诊所"_s, store::transactionTableColumns()));
    const QStringList values { u" 2003"_s, u" 5"_s,      u"007"_s,   u"阿莫西林's \"胶囊\""_s,
                               u""_s,      u"12"_s,      u"12.50"_s, u"150.00"_s,
                               u"1e3"_s,   u"2026-01"_s, u"盒"_s,    u"0.25g*24"_s };
    QVariantList bound;
    for (const auto& value : values)
        bound << value;
    QVERIFY(scratch.db().exec(u"INSERT INTO \"华康诊所\" VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"_s, bound));
    QCOMPARE(scratch.rows(u"华康诊所"_s), QList<QStringList> { values });
    QSqlQuery types = scratch.db().prepare(u"SELECT typeof(\"交易年\"), typeof(\"单价\") FROM \"华康诊所\""_s);
    QVERIFY(types.exec() && types.next());
    QCOMPARE(types.value(0).toString(), u"text"_s);
    QCOMPARE(types.value(1).toString(), u"text"_s);
}

void TestSchema::dropTable()
{
    testsupport::ScratchDatabase scratch(true);
    QVERIFY(store::createTable(scratch.db(), u"A"_s, store::transactionTableColumns()));
    QVERIFY(store::dropTable(scratch.db(), u"a"_s));
    QVERIFY(!store::tableExists(scratch.db(), u"A"_s));
    QVERIFY(!store::dropTable(scratch.db(), u"A"_s));
    QVERIFY(!store::dropTable(scratch.db(), u"药品; DROP TABLE user"_s));
    QVERIFY(store::tableExists(scratch.db(), u"user"_s));
}

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
